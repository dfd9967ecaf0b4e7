// The demo's models are written as compositions of simple solids (demo/models.txt): boxes,
// wedges, prisms, cylinders, cones and low-poly spheres, each placed, sized and turned. This
// turns them into meshes ready for the .x writer, with the shading baked into the materials.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "datapack/xfile_writer.h"
#include "platform/common/image.h"
#include "platform/common/xfile.h"

struct ModelMaterial {
    int line = 0;  // where it was written, for messages
    std::string name;
    float colour[3] = {0, 0, 0};  // the emissive colour of faces in full light
    float alpha = 1;
    std::string texture;  // a texture's name from demo/textures.txt, or empty
    float repeat = 1;     // how many times the texture repeats across a face
    bool flat = false;    // one colour on every face (glowing things)
};

struct ModelPart {
    int line = 0;
    std::string shape;               // box, wedge, prism, cylinder, cone, sphere
    int material = 0;                // index into the model's materials
    double position[3] = {0, 0, 0};  // the centre of the part's base
    double size[3] = {1, 1, 1};      // width (x), height (y), depth (z)
    double yaw = 0;                  // degrees; turns the front (-z) towards +x
    double pitch = 0;                // degrees; tips the top towards the front (-z)
    double roll = 0;                 // degrees; tips the top towards +x
    int sides = 8;                   // round shapes: faces around
    double top = 1;                  // cylinders: the top's radius as a share of the base's
};

struct ModelRecipe {
    int line = 0;
    int row = -1;
    std::string name;
    XFileForm form = XFileForm::Text;
    int floatBits = 32;
    std::vector<ModelMaterial> materials;
    std::vector<ModelPart> parts;
};

struct BuiltModel {
    XMesh mesh;
    XFileForm form = XFileForm::Text;
    int floatBits = 32;
    // For each material that names a texture, in material order, the texture's name.
    std::vector<std::string> materialTextures;
};

struct ModelSet {
    std::vector<BuiltModel> models;  // by row
    // The textured materials' images in the game's numbering: model order, then material
    // order, one per textured material.
    std::vector<RgbaImage> materialTextures;
};

// Parses the recipe text. Throws std::runtime_error naming the line of a mistake.
std::vector<ModelRecipe> ParseModelRecipes(const std::string& text);
// One model's mesh: flat normals per face, texture coordinates when any material is textured,
// and each material split into up to four shades by the direction its faces look.
BuiltModel BuildModel(const ModelRecipe& recipe);
// Every model, rows 0..modelCount-1 each given once, with the images their textured
// materials name (looked up in textures). Throws std::runtime_error naming the line of an
// unknown texture, a missing or repeated row, or more than maxMaterialTextures textured
// materials in all.
ModelSet BuildModelSet(const std::string& text, int modelCount,
                       const std::map<std::string, RgbaImage>& textures, int maxMaterialTextures);
