#pragma once
// TvnResourceStrData: the user-interface texts of the skinned components (menu item captions,
// button hints, dialog texts) as "KEY=text" lines, with a font character set for drawing them.
// A skin data component can be linked to one; without it the frame uses its built-in texts.
#include "framework/Component.h"

#include <string>
#include <string_view>
#include <vector>

class TvnResourceStrData : public TComponent {
public:
  explicit TvnResourceStrData(TComponent* owner = nullptr);

  // The lines, each "KEY=text". Assigning copies the list.
  const std::vector<std::string>& ResStrings() const { return FResStrings; }
  void SetResStrings(const std::vector<std::string>& lines) { FResStrings = lines; }
  // The platform's font character set number; 1 (the default character set) at creation.
  int CharSet() const { return FCharSet; }
  void SetCharSet(int charSet) { FCharSet = charSet; }

  // The text after the first "=" of the first line whose key equals key without regard to
  // case, or the empty text when there is none.
  std::string GetResStr(std::string_view key) const;

  // The 115 lines a new component starts with.
  static const std::vector<std::string>& DefaultResStrings();

private:
  std::vector<std::string> FResStrings;
  int FCharSet = 1;
};
