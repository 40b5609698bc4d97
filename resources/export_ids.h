// Image export dialog
#pragma once
