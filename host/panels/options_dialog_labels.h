// The controls of the module's options dialog, as a user finds them on the panel: by label.
// Scripted users and the pictures of the dialog address them so. A user knows them from the
// panel, not from the module's source, so the host spells them itself.
#pragma once

namespace dialog_label {

inline constexpr char SetPopup[] = "Polygon set : ";
inline constexpr char NoSet[] = "(none)";  // the popup's first item
inline constexpr char Enable[] = "enable smoothing";
inline constexpr char Angle[] = "Smoothing angle [deg.] : ";
inline constexpr char SameSetOnly[] = "smooth only same polygon set";

}  // namespace dialog_label
