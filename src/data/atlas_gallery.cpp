// The interface-atlas images of the model gallery.
#include "data/atlas_gallery.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t CAPTION_GOLD = 0xFFFFE080;
constexpr uint32_t ARROW_BLUE = 0xFFA0E0FF;

const AtlasImage galleryImages[] = {
    {AtlasSheet::Interface, RECT_GALLERY_CAPTION, AtlasArt::Label, "モデルギャラリー",
     CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_GALLERY_ARROW_LEFT, AtlasArt::Label, "◀", ARROW_BLUE},
    {AtlasSheet::Interface, RECT_GALLERY_ARROW_RIGHT, AtlasArt::Label, "▶", ARROW_BLUE},
    {AtlasSheet::Interface, RECT_GALLERY_SLASH, AtlasArt::Label, "/", 0xFFFFFFFF},
};

}  // namespace

const AtlasImageList galleryAtlasImages = {galleryImages,
                                           sizeof(galleryImages) / sizeof(galleryImages[0])};
