#pragma once
// The pictures of the demo menu's items, drawn in code: a page, a disk, a folder and a star,
// 16 x 16 each, on a magenta background that the image list leaves out.
#include "framework/ImageList.h"

enum TGalleryImage { giPage, giDisk, giFolder, giStar };

void AddGalleryImages(TImageList& images);
