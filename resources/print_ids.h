// Print dialog and print preview
#pragma once
