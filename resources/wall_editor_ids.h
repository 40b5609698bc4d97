// Wall mark editor
#pragma once
