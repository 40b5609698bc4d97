// Mark history pickers
#pragma once
