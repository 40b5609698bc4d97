// Mark palette window and its load choice
#pragma once
