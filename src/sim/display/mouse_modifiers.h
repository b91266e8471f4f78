// The modifier mask of a mouse event on the world picture: one bit per key
// held, added up when several are held (Shift with Ctrl is 3). The zoom
// rules read it; a window reports it.
#pragma once

namespace antraid {

inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

}  // namespace antraid
