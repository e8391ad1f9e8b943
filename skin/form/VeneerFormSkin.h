#pragma once
// What the frame takes from a loaded skin: its [FORMINFO] geometry with the main picture's size,
// and the pictures its objects draw from.
#include "skin/form/FrameObjectList.h"
#include "skin/form/VeneerFormGeometry.h"

class TvnSkinData;

TvnFrameSkin FrameSkinOf(const TvnSkinData& skin);
TvnObjectPictures ObjectPicturesOf(const TvnSkinData& skin);
