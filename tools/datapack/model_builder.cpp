// Builds the demo's models from solids. The game lights nothing, so a face shows only its
// material's emissive colour; to let shapes read, every material is split into shades by which
// way its faces look (tops brightest, the front next, then the right, the rest darkest).
#include "datapack/model_builder.h"
#include "datapack/recipe_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int SHADE_COUNT = 4;
constexpr float SHADE_FACTORS[SHADE_COUNT] = {1.0f, 0.86f, 0.72f, 0.58f};

struct V3 {
    double x;
    double y;
    double z;
};

V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 operator*(V3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double Dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

V3 Normalized(V3 v) {
    double length = std::sqrt(Dot(v, v));
    return length > 0 ? v * (1 / length) : V3{0, 1, 0};
}

struct Face {
    std::vector<V3> points;
    std::vector<Vec2> uvs;
};

// The polygon's normal by Newell's method: robust for any planar polygon, whatever its start.
V3 NewellNormal(const std::vector<V3>& p) {
    V3 n{0, 0, 0};
    for (size_t i = 0; i < p.size(); ++i) {
        const V3& a = p[i];
        const V3& b = p[(i + 1) % p.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    // Numerically this is the cross product of the edges, which in the game's left-handed frame
    // points out of a face wound clockwise as seen from outside: the winding the game expects.
    return n;
}

// Texture coordinates of a flat face from the local unit shape (x and z in -0.5..0.5, y in
// 0..1), projected along the axis the face looks down most.
Vec2 PlanarUv(V3 p, V3 normal) {
    double ax = std::fabs(normal.x);
    double ay = std::fabs(normal.y);
    double az = std::fabs(normal.z);
    if (ay >= ax && ay >= az) {
        return Vec2{static_cast<float>(p.x + 0.5), static_cast<float>(p.z + 0.5)};
    }
    if (ax >= az) {
        return Vec2{static_cast<float>(p.z + 0.5), static_cast<float>(1 - p.y)};
    }
    return Vec2{static_cast<float>(p.x + 0.5), static_cast<float>(1 - p.y)};
}

Face PlanarFace(std::vector<V3> points) {
    Face face;
    V3 normal = NewellNormal(points);
    for (const V3& p : points) {
        face.uvs.push_back(PlanarUv(p, normal));
    }
    face.points = std::move(points);
    return face;
}

// The solids in local unit form: base centred on the origin, one unit wide, high and deep.
// Faces may come in either winding; the caller turns them outward.
std::vector<Face> UnitShape(const ModelPart& part) {
    std::vector<Face> faces;
    const std::string& shape = part.shape;
    if (shape == "box" || shape == "wedge" || shape == "prism") {
        const double l = -0.5;
        const double r = 0.5;
        V3 b0{l, 0, l}, b1{r, 0, l}, b2{r, 0, r}, b3{l, 0, r};
        faces.push_back(PlanarFace({b0, b1, b2, b3}));
        if (shape == "box") {
            V3 t0{l, 1, l}, t1{r, 1, l}, t2{r, 1, r}, t3{l, 1, r};
            faces.push_back(PlanarFace({t0, t1, t2, t3}));
            faces.push_back(PlanarFace({b0, b1, t1, t0}));
            faces.push_back(PlanarFace({b1, b2, t2, t1}));
            faces.push_back(PlanarFace({b2, b3, t3, t2}));
            faces.push_back(PlanarFace({b3, b0, t0, t3}));
        } else if (shape == "wedge") {
            // Full height at the back (+z), sloping down to the front edge.
            V3 t2{r, 1, r}, t3{l, 1, r};
            faces.push_back(PlanarFace({b0, b1, t2, t3}));
            faces.push_back(PlanarFace({b2, b3, t3, t2}));
            faces.push_back(PlanarFace({b1, b2, t2}));
            faces.push_back(PlanarFace({b3, b0, t3}));
        } else {
            // A ridge along x over the middle, like a roof.
            V3 ra{l, 1, 0}, rb{r, 1, 0};
            faces.push_back(PlanarFace({b0, b1, rb, ra}));
            faces.push_back(PlanarFace({b2, b3, ra, rb}));
            faces.push_back(PlanarFace({b1, b2, rb}));
            faces.push_back(PlanarFace({b3, b0, ra}));
        }
        return faces;
    }
    const int n = part.sides;
    auto around = [n](int i) { return 2 * PI * i / n; };
    if (shape == "cylinder" || shape == "cone") {
        const double top = shape == "cone" ? 0.0 : part.top;
        std::vector<V3> bottomRing;
        std::vector<V3> topRing;
        for (int i = 0; i < n; ++i) {
            double c = std::cos(around(i)) * 0.5;
            double s = std::sin(around(i)) * 0.5;
            bottomRing.push_back(V3{c, 0, s});
            topRing.push_back(V3{c * top, 1, s * top});
        }
        faces.push_back(PlanarFace(bottomRing));
        if (top > 0) {
            faces.push_back(PlanarFace(topRing));
        }
        for (int i = 0; i < n; ++i) {
            int j = (i + 1) % n;
            float u0 = static_cast<float>(i) / static_cast<float>(n);
            float u1 = static_cast<float>(i + 1) / static_cast<float>(n);
            Face side;
            if (top > 0) {
                side.points = {bottomRing[i], bottomRing[j], topRing[j], topRing[i]};
                side.uvs = {Vec2{u0, 1}, Vec2{u1, 1}, Vec2{u1, 0}, Vec2{u0, 0}};
            } else {
                side.points = {bottomRing[i], bottomRing[j], V3{0, 1, 0}};
                side.uvs = {Vec2{u0, 1}, Vec2{u1, 1}, Vec2{(u0 + u1) / 2, 0}};
            }
            faces.push_back(side);
        }
        return faces;
    }
    // sphere: rings of latitude between two poles.
    const int stacks = std::max(2, n / 2);
    auto point = [&](int stack, int slice) {
        double theta = PI * stack / stacks;
        double ring = std::sin(theta) * 0.5;
        return V3{ring * std::cos(around(slice)), 0.5 + std::cos(theta) * 0.5,
                  ring * std::sin(around(slice))};
    };
    for (int stack = 0; stack < stacks; ++stack) {
        float v0 = static_cast<float>(stack) / static_cast<float>(stacks);
        float v1 = static_cast<float>(stack + 1) / static_cast<float>(stacks);
        for (int slice = 0; slice < n; ++slice) {
            float u0 = static_cast<float>(slice) / static_cast<float>(n);
            float u1 = static_cast<float>(slice + 1) / static_cast<float>(n);
            Face face;
            if (stack == 0) {
                face.points = {point(0, 0), point(1, slice + 1), point(1, slice)};
                face.uvs = {Vec2{(u0 + u1) / 2, v0}, Vec2{u1, v1}, Vec2{u0, v1}};
            } else if (stack == stacks - 1) {
                face.points = {point(stack, slice), point(stack, slice + 1), point(stacks, 0)};
                face.uvs = {Vec2{u0, v0}, Vec2{u1, v0}, Vec2{(u0 + u1) / 2, v1}};
            } else {
                face.points = {point(stack, slice), point(stack, slice + 1),
                               point(stack + 1, slice + 1), point(stack + 1, slice)};
                face.uvs = {Vec2{u0, v0}, Vec2{u1, v0}, Vec2{u1, v1}, Vec2{u0, v1}};
            }
            faces.push_back(face);
        }
    }
    return faces;
}

// Roll, then pitch, then yaw, as ModelPart describes them.
V3 Rotate(V3 p, const ModelPart& part) {
    double r = part.roll * PI / 180;
    double q = part.pitch * PI / 180;
    double w = part.yaw * PI / 180;
    p = V3{p.x * std::cos(r) + p.y * std::sin(r), p.y * std::cos(r) - p.x * std::sin(r), p.z};
    p = V3{p.x, p.y * std::cos(q) + p.z * std::sin(q), p.z * std::cos(q) - p.y * std::sin(q)};
    return V3{p.x * std::cos(w) - p.z * std::sin(w), p.y, p.z * std::cos(w) + p.x * std::sin(w)};
}

// Which shade a face takes: by how squarely it faces a light high up at the front right.
int ShadeOf(V3 normal) {
    const V3 light = Normalized(V3{0.5, 0.9, -0.7});
    double d = Dot(normal, light);
    return d > 0.65 ? 0 : d > 0.45 ? 1 : d > 0.0 ? 2 : 3;
}

struct PlacedFace {
    std::vector<V3> points;
    std::vector<Vec2> uvs;
    V3 normal;
    int material;
    int shade;
};

void PlacePart(const ModelPart& part, const ModelMaterial& material, std::vector<PlacedFace>& out) {
    std::vector<Face> faces = UnitShape(part);
    // Any point inside a convex solid tells outward from inward: the mean of its corners.
    V3 centre{0, 0, 0};
    size_t corners = 0;
    for (Face& face : faces) {
        for (V3& p : face.points) {
            p = V3{p.x * part.size[0], p.y * part.size[1], p.z * part.size[2]};
            centre = centre + p;
            corners += 1;
        }
    }
    centre = centre * (1.0 / static_cast<double>(corners));
    const V3 offset{part.position[0], part.position[1], part.position[2]};
    for (Face& face : faces) {
        V3 faceCentre{0, 0, 0};
        for (const V3& p : face.points) {
            faceCentre = faceCentre + p * (1.0 / static_cast<double>(face.points.size()));
        }
        if (Dot(NewellNormal(face.points), faceCentre - centre) < 0) {
            std::reverse(face.points.begin(), face.points.end());
            std::reverse(face.uvs.begin(), face.uvs.end());
        }
        PlacedFace placed;
        for (const V3& p : face.points) {
            placed.points.push_back(Rotate(p, part) + offset);
        }
        for (const Vec2& uv : face.uvs) {
            placed.uvs.push_back(Vec2{uv.x * material.repeat, uv.y * material.repeat});
        }
        placed.normal = Normalized(NewellNormal(placed.points));
        placed.material = part.material;
        placed.shade = material.flat ? 0 : ShadeOf(placed.normal);
        if (!material.texture.empty()) {
            // Each shade of a textured material takes an archive entry of its own for the same
            // image, and the game has room for 100: these get two shades, lit and unlit.
            placed.shade = placed.shade <= 1 ? 0 : 2;
        }
        out.push_back(std::move(placed));
    }
}

bool ParseColour(const std::string& word, float rgb[3]) {
    if (word.size() != 7 || word[0] != '#') {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        std::string pair = word.substr(1 + 2 * i, 2);
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
            !std::isxdigit(static_cast<unsigned char>(pair[1]))) {
            return false;
        }
        rgb[i] = static_cast<float>(std::stoi(pair, nullptr, 16)) / 255.0f;
    }
    return true;
}

const char* const SHAPES[] = {"box", "wedge", "prism", "cylinder", "cone", "sphere"};

struct LineReader {
    int lineNumber;
    const std::string& line;

    [[noreturn]] void Fail(const std::string& why) const {
        throw std::runtime_error("models line " + std::to_string(lineNumber) + ": " + why);
    }
    double Number(const std::string& word, const char* what) const {
        double value = 0;
        if (!ParseNumber(word, &value)) {
            Fail("not a number '" + word + "' for " + what + " in: " + line);
        }
        return value;
    }
};

ModelMaterial ParseMaterial(const std::vector<std::string>& words, const LineReader& reader) {
    if (words.size() < 3) {
        reader.Fail(
            "expected 'material <name> <#RRGGBB> [alpha=<a>] [texture=<name>] "
            "[repeat=<n>] [flat]'");
    }
    ModelMaterial material;
    material.line = reader.lineNumber;
    material.name = words[1];
    if (!ParseColour(words[2], material.colour)) {
        reader.Fail("expected a colour #RRGGBB, not '" + words[2] + "'");
    }
    if (material.colour[0] == 0 && material.colour[1] == 0 && material.colour[2] == 0) {
        reader.Fail("material '" + material.name + "' is black and would not show");
    }
    for (size_t i = 3; i < words.size(); ++i) {
        const std::string& word = words[i];
        size_t equals = word.find('=');
        std::string key = word.substr(0, equals);
        std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
        if (word == "flat") {
            material.flat = true;
        } else if (key == "alpha" && !value.empty()) {
            double alpha = reader.Number(value, "alpha");
            if (alpha <= 0 || alpha > 1) {
                reader.Fail("alpha must lie in 0..1 (above 0)");
            }
            material.alpha = static_cast<float>(alpha);
        } else if (key == "texture" && !value.empty()) {
            material.texture = value;
        } else if (key == "repeat" && !value.empty()) {
            double repeat = reader.Number(value, "repeat");
            if (repeat <= 0) {
                reader.Fail("repeat must be positive");
            }
            material.repeat = static_cast<float>(repeat);
        } else {
            reader.Fail("unknown material option '" + word + "'");
        }
    }
    return material;
}

ModelPart ParsePart(const std::vector<std::string>& words, const ModelRecipe& model,
                    const LineReader& reader) {
    ModelPart part;
    part.line = reader.lineNumber;
    part.shape = words[0];
    if (words.size() < 8) {
        reader.Fail("expected '" + part.shape +
                    " <material> <x> <y> <z> <width> <height> <depth> [options]'");
    }
    auto found = std::find_if(model.materials.begin(), model.materials.end(),
                              [&](const ModelMaterial& m) { return m.name == words[1]; });
    if (found == model.materials.end()) {
        reader.Fail("no material '" + words[1] + "' in model '" + model.name + "'");
    }
    part.material = static_cast<int>(found - model.materials.begin());
    static const char* const AXES[] = {"x", "y", "z", "width", "height", "depth"};
    for (int i = 0; i < 3; ++i) {
        part.position[i] = reader.Number(words[2 + i], AXES[i]);
        part.size[i] = reader.Number(words[5 + i], AXES[3 + i]);
        if (part.size[i] <= 0) {
            reader.Fail(std::string(AXES[3 + i]) + " must be positive");
        }
    }
    if (part.shape == "sphere") {
        part.sides = 8;
    }
    for (size_t i = 8; i < words.size(); ++i) {
        const std::string& word = words[i];
        size_t equals = word.find('=');
        std::string key = word.substr(0, equals);
        std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
        if (word == "mirror") {
            continue;  // handled by the caller
        }
        if (value.empty()) {
            reader.Fail("unknown option '" + word + "'");
        }
        if (key == "yaw") {
            part.yaw = reader.Number(value, "yaw");
        } else if (key == "pitch") {
            part.pitch = reader.Number(value, "pitch");
        } else if (key == "roll") {
            part.roll = reader.Number(value, "roll");
        } else if (key == "sides") {
            double sides = reader.Number(value, "sides");
            if (sides < 3 || sides > 32 || sides != std::floor(sides)) {
                reader.Fail("sides must be a whole number from 3 to 32");
            }
            part.sides = static_cast<int>(sides);
        } else if (key == "top" && part.shape == "cylinder") {
            part.top = reader.Number(value, "top");
            if (part.top < 0 || part.top > 10) {
                reader.Fail("top must lie in 0..10");
            }
        } else {
            reader.Fail("unknown option '" + word + "' for " + part.shape);
        }
    }
    return part;
}

bool ParseForm(const std::string& word, XFileForm* form) {
    static const std::pair<const char*, XFileForm> FORMS[] = {
        {"text", XFileForm::Text},
        {"binary", XFileForm::Binary},
        {"text-zip", XFileForm::CompressedText},
        {"binary-zip", XFileForm::CompressedBinary},
    };
    for (const auto& [name, value] : FORMS) {
        if (word == name) {
            *form = value;
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<ModelRecipe> ParseModelRecipes(const std::string& text) {
    std::vector<ModelRecipe> recipes;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    bool open = false;
    while (std::getline(in, line)) {
        lineNumber += 1;
        std::vector<std::string> words = SplitWords(line);
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        LineReader reader{lineNumber, line};
        if (words[0] == "model") {
            if (open) {
                reader.Fail("'" + recipes.back().name + "' has no end");
            }
            ModelRecipe recipe;
            recipe.line = lineNumber;
            bool wide = words.size() == 5 && words[4] == "double";
            if ((words.size() != 4 && !wide) || !ParseForm(words[3], &recipe.form)) {
                reader.Fail(
                    "expected 'model <row> <name> <text|binary|text-zip|binary-zip> [double]'");
            }
            double row = reader.Number(words[1], "the row");
            if (row < 0 || row != std::floor(row)) {
                reader.Fail("bad row '" + words[1] + "'");
            }
            recipe.row = static_cast<int>(row);
            recipe.name = words[2];
            recipe.floatBits = wide ? 64 : 32;
            recipes.push_back(recipe);
            open = true;
        } else if (words[0] == "end") {
            if (!open) {
                reader.Fail("'end' outside a model");
            }
            if (recipes.back().parts.empty()) {
                reader.Fail("'" + recipes.back().name + "' has no parts");
            }
            open = false;
        } else if (!open) {
            reader.Fail("'" + words[0] + "' outside a model");
        } else if (words[0] == "material") {
            ModelRecipe& model = recipes.back();
            ModelMaterial material = ParseMaterial(words, reader);
            for (const ModelMaterial& other : model.materials) {
                if (other.name == material.name) {
                    reader.Fail("material '" + material.name + "' is given twice");
                }
            }
            model.materials.push_back(material);
        } else if (std::find(std::begin(SHAPES), std::end(SHAPES), words[0]) != std::end(SHAPES)) {
            ModelRecipe& model = recipes.back();
            ModelPart part = ParsePart(words, model, reader);
            model.parts.push_back(part);
            if (std::find(words.begin(), words.end(), "mirror") != words.end()) {
                // The same part reflected across x = 0: a left arm for a right one.
                part.position[0] = -part.position[0];
                part.yaw = -part.yaw;
                part.roll = -part.roll;
                model.parts.push_back(part);
            }
        } else {
            reader.Fail("unknown shape '" + words[0] + "' in: " + line);
        }
    }
    if (open) {
        throw std::runtime_error("models: '" + recipes.back().name + "' has no end");
    }
    return recipes;
}

BuiltModel BuildModel(const ModelRecipe& recipe) {
    std::vector<PlacedFace> faces;
    for (const ModelPart& part : recipe.parts) {
        PlacePart(part, recipe.materials[static_cast<size_t>(part.material)], faces);
    }
    // Only the shades some face uses become materials, in material then shade order.
    const size_t declared = recipe.materials.size();
    std::vector<std::array<int, SHADE_COUNT>> slot(declared);
    for (auto& shades : slot) {
        shades.fill(-1);
    }
    for (const PlacedFace& face : faces) {
        slot[static_cast<size_t>(face.material)][static_cast<size_t>(face.shade)] = 0;
    }
    BuiltModel built;
    built.form = recipe.form;
    built.floatBits = recipe.floatBits;
    XMesh& mesh = built.mesh;
    bool textured = false;
    for (size_t m = 0; m < declared; ++m) {
        const ModelMaterial& source = recipe.materials[m];
        for (int shade = 0; shade < SHADE_COUNT; ++shade) {
            if (slot[m][static_cast<size_t>(shade)] < 0) {
                continue;
            }
            slot[m][static_cast<size_t>(shade)] = static_cast<int>(mesh.materials.size());
            XMaterial x{};
            float factor = SHADE_FACTORS[shade];
            for (int c = 0; c < 3; ++c) {
                x.diffuse[c] = source.colour[c];
                x.emissive[c] = source.colour[c] * factor;
                x.specular[c] = 0;
            }
            x.diffuse[3] = source.alpha;
            x.power = 0;
            if (!source.texture.empty()) {
                x.textureFile = source.texture + ".png";
                built.materialTextures.push_back(source.texture);
                textured = true;
            }
            mesh.materials.push_back(x);
        }
    }
    for (const PlacedFace& face : faces) {
        uint32_t first = static_cast<uint32_t>(mesh.positions.size());
        Vec3 normal{static_cast<float>(face.normal.x), static_cast<float>(face.normal.y),
                    static_cast<float>(face.normal.z)};
        for (size_t i = 0; i < face.points.size(); ++i) {
            const V3& p = face.points[i];
            mesh.positions.push_back(
                Vec3{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
            mesh.normals.push_back(normal);
            if (textured) {
                mesh.texCoords.push_back(face.uvs[i]);
            }
        }
        uint32_t material = static_cast<uint32_t>(
            slot[static_cast<size_t>(face.material)][static_cast<size_t>(face.shade)]);
        for (size_t i = 1; i + 1 < face.points.size(); ++i) {
            mesh.indices.insert(mesh.indices.end(), {first, first + static_cast<uint32_t>(i),
                                                     first + static_cast<uint32_t>(i + 1)});
            mesh.triangleMaterials.push_back(material);
        }
    }
    return built;
}

ModelSet BuildModelSet(const std::string& text, int modelCount,
                       const std::map<std::string, RgbaImage>& textures, int maxMaterialTextures) {
    std::vector<ModelRecipe> recipes = ParseModelRecipes(text);
    std::vector<const ModelRecipe*> byRow(static_cast<size_t>(modelCount), nullptr);
    for (const ModelRecipe& recipe : recipes) {
        if (recipe.row >= modelCount || byRow[static_cast<size_t>(recipe.row)] != nullptr) {
            throw std::runtime_error("models line " + std::to_string(recipe.line) + ": row " +
                                     std::to_string(recipe.row) + " is outside 0.." +
                                     std::to_string(modelCount - 1) + " or given twice");
        }
        byRow[static_cast<size_t>(recipe.row)] = &recipe;
        for (const ModelMaterial& material : recipe.materials) {
            if (!material.texture.empty() && textures.count(material.texture) == 0) {
                throw std::runtime_error("models line " + std::to_string(material.line) +
                                         ": no texture '" + material.texture + "' in textures.txt");
            }
        }
    }
    ModelSet set;
    for (int row = 0; row < modelCount; ++row) {
        const ModelRecipe* recipe = byRow[static_cast<size_t>(row)];
        if (recipe == nullptr) {
            throw std::runtime_error("models: no model for row " + std::to_string(row));
        }
        set.models.push_back(BuildModel(*recipe));
        for (const std::string& name : set.models.back().materialTextures) {
            set.materialTextures.push_back(textures.at(name));
        }
    }
    if (static_cast<int>(set.materialTextures.size()) > maxMaterialTextures) {
        throw std::runtime_error("models: " + std::to_string(set.materialTextures.size()) +
                                 " textured materials, more than the " +
                                 std::to_string(maxMaterialTextures) + " the game has room for");
    }
    return set;
}
