// Small drawing helpers the control skins share on top of CSkinDrawImage:
// piece lists a skin computes itself, and a whole picture fitted into a
// rectangle with its transparent parts left out, both at the canvas's
// scale.
#pragma once

#include <vector>

#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"

class CSkinDrawImage;

// How a picture's pieces are copied when its transparent parts are to be
// left out: keyed for colour-keyed bitmaps, blended for decoded pictures.
SkinBlit SkinTransparentBlit(const CSkinDrawImage& image);

// The picture as the canvas shows it: the copy made for the canvas's
// scale (the picture itself at 96 DPI). Pieces a skin cuts itself are cut
// from this one, in its own pixels. Null for a missing picture.
CSkinDrawImage* SkinShownPicture(const ISkinCanvas& canvas, CSkinDrawImage* image);

// Draws pieces cut from `shown` (a SkinShownPicture; sources in its
// pixels). Returns the number of pieces drawn; 0 for a missing picture.
int SkinDrawPictureCut(ISkinCanvas& canvas, CSkinDrawImage* shown, const std::vector<SkinPiece>& pieces);

// The whole picture scaled into `rect`, its transparent parts left out.
int SkinDrawPictureFitted(ISkinCanvas& canvas, CSkinDrawImage* image, const SkinRect& rect);
