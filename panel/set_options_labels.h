// The labels of the options panel's controls, as the panel puts them up. The module's tests find
// the controls by them; the stand-in host spells them itself (host/panels/options_dialog_labels.h),
// since it knows the module only as the real host does: by what the panel shows.
#pragma once

namespace set_options_label {

inline constexpr char SetPopup[] = "Polygon set : ";
inline constexpr char NoSet[] = "(none)";  // the popup's first item
inline constexpr char Enable[] = "enable smoothing";
inline constexpr char Angle[] = "Smoothing angle [deg.] : ";
inline constexpr char SameSetOnly[] = "smooth only same polygon set";

}  // namespace set_options_label
