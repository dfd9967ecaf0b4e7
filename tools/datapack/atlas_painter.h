// Paints the interface atlas and the glyph sheet of the demo data: every image the registry in
// data/atlas_images.h lists, drawn so that a person sees what it is.
#pragma once

#include "data/atlas_images.h"
#include "datapack/text_render.h"
#include "platform/common/image.h"

constexpr int INTERFACE_SHEET_WIDTH = 2048;
constexpr int INTERFACE_SHEET_HEIGHT = 2048;
constexpr int GLYPH_SHEET_WIDTH = 2048;
constexpr int GLYPH_SHEET_HEIGHT = 1024;

// The interior colour of every Panel: opaque, the game draws it with partial alpha.
constexpr uint32_t PANEL_INTERIOR_TOP = 0xFF203468;
constexpr uint32_t PANEL_INTERIOR_BOTTOM = 0xFF101A3C;

// The sheet, transparent black, with every registered image of it painted in registry order.
// Throws std::runtime_error when a font is missing or an image's rectangle is not whole pixels
// inside the sheet.
RgbaImage PaintAtlas(AtlasSheet sheet);

// An empty (transparent black) sheet of the right size.
RgbaImage BlankSheet(AtlasSheet sheet);
// The rectangle as whole pixels; throws std::runtime_error unless its edges are whole numbers
// and it is non-empty and inside a width x height sheet.
PixelBox AtlasPixelBox(const AtlasRect& rect, int width, int height);
// How far the ink of a label of a list drawn from the left starts right of its rectangle's left
// edge and outline.
constexpr int LIST_LABEL_MARGIN = 1;

// The style a label of the interface sheet is fitted and drawn in (its list's scale aside).
TextStyle AtlasLabelStyle(const AtlasImage& image);
// The scale every label of the list is painted at: the largest that fits each of the registered
// labels of the list in its rectangle. Zero for LabelList::None.
TextScale ListLabelScale(FontSet& fonts, LabelList list);
// Paints one image into sheet (composited over what is there, clipped to its rectangle); a
// label of a list at its list's scale.
void PaintAtlasImage(FontSet& fonts, RgbaImage& sheet, const AtlasImage& image);
