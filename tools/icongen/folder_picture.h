#pragma once

#include "image.h"

namespace icongen {

// The browse button's picture: an open folder under a small curved arrow, 18 x 18, on the
// button's light grey so that it blends with the face of the button.
Image folderPicture();

}  // namespace icongen
