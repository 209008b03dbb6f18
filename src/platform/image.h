// Image files the wizard shows (a logo): their pixel size read from the file
// header, without decoding the pixels. PNG, GIF, BMP and JPEG are known.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

// True when path is a readable regular file holding an image of a known
// format with a positive size, which is stored in *size.
bool bwizc_read_image_size(const CString& path, CSize* size);
