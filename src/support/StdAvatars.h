#pragma once

#include "Avatar.h"

// The four default avatars shipped with the program: no photo, hidden, deleted, blocked page.
TDefaultImageList LoadStdAvatars();
