#pragma once
// Makes the skin data components known to window descriptions: TvnCompressedStoredSkin,
// TvnSkinData and TvnResourceStrData with their published properties. Call once at start-up,
// before the first description is read.
class TClassRegistry;

void RegisterSkinDataClasses(TClassRegistry& registry);
