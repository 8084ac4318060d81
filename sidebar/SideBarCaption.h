// Captions cut to a width: the longest prefix that fits with "..." after it. The prefix
// length is searched (doubling, then halving), so the work follows the part that fits,
// not the length of the caption.
#pragma once

#include <string>

class TCanvas;

// The caption itself when it fits `width` in the canvas's font, else the longest prefix
// (whole characters) that fits together with "...", followed by "...".
std::string FitCaption(TCanvas& canvas, const std::string& caption, int width);
