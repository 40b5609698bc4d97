// Room mark editor
#pragma once

#define IDD_ROOM_MARK_EDITOR 371
