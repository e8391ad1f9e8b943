#pragma once
// The gallery's skinned controls, under the buttons: a horizontal up-down that steps a
// read-only number field, a vertical one, and a skinned custom control in each way a
// description lets a control grow (fixed, sideways, downwards, both). Each has a hint.
#include <vector>

class TGalleryForm;
class TvnSkinControl;

// Makes the controls on the form and links them to its skin data; returns them in the order
// they stand, for the form to switch their skin.
std::vector<TvnSkinControl*> BuildGalleryControls(TGalleryForm& form, int top);
