// Comment format dialog
#pragma once
