// Small drawing helpers the control skins share on top of CSkinDrawImage:
// piece lists a skin computes itself, and a whole picture fitted into a
// rectangle with its transparent parts left out.
#pragma once

#include <vector>

#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_geometry.h"

class CSkinDrawImage;

// How a picture's pieces are copied when its transparent parts are to be
// left out: keyed for colour-keyed bitmaps, blended for decoded pictures.
SkinBlit SkinTransparentBlit(const CSkinDrawImage& image);

// Draws pieces cut from the picture (sources in picture pixels). Returns
// the number of pieces drawn; 0 for a missing picture.
int SkinDrawPictureCut(ISkinCanvas& canvas, CSkinDrawImage* image, const std::vector<SkinPiece>& pieces);

// The whole picture scaled into `rect`, its transparent parts left out.
int SkinDrawPictureFitted(ISkinCanvas& canvas, CSkinDrawImage* image, const SkinRect& rect);
