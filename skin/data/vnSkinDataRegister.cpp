#include "skin/data/vnSkinDataRegister.h"

#include "framework/ClassRegistry.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinDataContainer.h"
#include "skin/data/vnSkinDataResStr.h"
#include "skin/data/vnSkinDataStoredSkin.h"

void RegisterSkinDataClasses(TClassRegistry& registry) {
  registry.Register(ComponentClass<TvnCompressedStoredSkin>("TvnCompressedStoredSkin", {
      ValueProperty<TvnCompressedStoredSkin>("FileName", [](TvnCompressedStoredSkin& c, const TDescValue& v) {
        c.SetFileName(v.AsString());
      }),
      ValueProperty<TvnCompressedStoredSkin>("CompressedFileName", [](TvnCompressedStoredSkin& c, const TDescValue& v) {
        c.SetCompressedFileName(v.AsString());
      }),
      ValueProperty<TvnCompressedStoredSkin>("Description", [](TvnCompressedStoredSkin& c, const TDescValue& v) {
        c.SetDescription(v.AsString());
      }),
      ValueProperty<TvnCompressedStoredSkin>("CompressedData", [](TvnCompressedStoredSkin& c, const TDescValue& v) {
        c.SetCompressedData(v.AsBytes());
      }),
  }));

  registry.Register(ComponentClass<TvnResourceStrData>("TvnResourceStrData", {
      // The lines as one string, "\n" between them.
      ValueProperty<TvnResourceStrData>("ResStrings", [](TvnResourceStrData& c, const TDescValue& v) {
        c.SetResStrings(SplitTextLines(v.AsString()));
      }),
      ValueProperty<TvnResourceStrData>("CharSet", [](TvnResourceStrData& c, const TDescValue& v) {
        c.SetCharSet(v.AsInteger());
      }),
  }));

  // Setting CompressedStoredSkin loads the skin at once (links are set once every component
  // of the description exists, in the order they were read).
  registry.Register(ComponentClass<TvnSkinData>("TvnSkinData", {
      LinkProperty<TvnSkinData, TvnCompressedStoredSkin>("CompressedStoredSkin",
          [](TvnSkinData& c, TvnCompressedStoredSkin* s) { c.SetCompressedStoredSkin(s); }),
      LinkProperty<TvnSkinData, TvnResourceStrData>("ResourceStrData",
          [](TvnSkinData& c, TvnResourceStrData* r) { c.SetResourceStrData(r); }),
  }));
}
