// Brushes every editor and popup shares: made when the library is loaded, freed when
// it is unloaded, used from the user-interface thread only.
#pragma once

class TBrush;

// Solid, clBtnShadow: the drop shadows of editors and popups.
TBrush* ShadowBrush();
// The 8x8 monochrome checkerboard (black where x and y have the same parity, white
// elsewhere): halftone overlays.
TBrush* HalftoneBrush();
// Solid, clBtnFace: the background of disabled editors.
TBrush* DisabledEditBrush();
