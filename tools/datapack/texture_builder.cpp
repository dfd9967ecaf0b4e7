// A small procedural painter for the demo's textures: every step paints over the whole tile, and
// every pattern repeats seamlessly when its sizes divide the tile's, so floors tile on the map.
#include "datapack/texture_builder.h"
#include "datapack/recipe_text.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace {

constexpr double PI = 3.14159265358979323846;

struct StepShape {
    const char* op;
    bool colour;
    const char* words;  // the allowed words, space separated; null when the step takes none
    size_t minNumbers;
    size_t maxNumbers;
    const char* usage;
};

// The vocabulary; demo/textures.txt documents each step at its top.
const StepShape STEP_SHAPES[] = {
    {"fill", true, nullptr, 0, 0, "fill <colour>"},
    {"noise", false, nullptr, 2, 3, "noise <amount> <cell> [<octaves>]"},
    {"speckle", true, nullptr, 1, 1, "speckle <colour> <density>"},
    {"spots", true, nullptr, 3, 3, "spots <colour> <count> <min radius> <max radius>"},
    {"stripes", true, "h v d a", 2, 2, "stripes <colour> <h|v|d|a> <period> <width>"},
    {"grain", true, nullptr, 2, 2, "grain <colour> <period> <wobble>"},
    {"bricks", true, nullptr, 5, 5,
     "bricks <colour> <width> <height> <mortar> <row shift> <shade jitter>"},
    {"checker", true, nullptr, 1, 1, "checker <colour> <cell>"},
    {"gradient", true, "h v r", 2, 2, "gradient <colour> <h|v|r> <from> <to>"},
    {"rect", true, nullptr, 4, 4, "rect <colour> <x> <y> <width> <height>"},
    {"border", true, nullptr, 1, 1, "border <colour> <width>"},
    {"circle", true, nullptr, 3, 4, "circle <colour> <x> <y> <radius> [<soft edge>]"},
    {"ring", true, nullptr, 4, 4, "ring <colour> <x> <y> <radius> <thickness>"},
    {"line", true, nullptr, 5, 5, "line <colour> <x0> <y0> <x1> <y1> <width>"},
    {"arrow", true, "up down left right", 1, 1, "arrow <colour> <up|down|left|right> <size>"},
    {"waves", true, nullptr, 3, 3, "waves <colour> <period> <amplitude> <width>"},
    {"cracks", true, nullptr, 2, 2, "cracks <colour> <cells> <width>"},
};

// "#RRGGBB" or "#RRGGBBAA" as ARGB.
bool ParseColour(const std::string& word, uint32_t* argb) {
    if ((word.size() != 7 && word.size() != 9) || word[0] != '#') {
        return false;
    }
    uint32_t value = 0;
    for (size_t i = 1; i < word.size(); ++i) {
        char c = word[i];
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return false;
        }
        value = value << 4 | digit;
    }
    *argb = word.size() == 7 ? 0xFF000000u | value : (value >> 8) | (value << 24);
    return true;
}

bool ParseSize(const std::string& word, int* width, int* height) {
    size_t x = word.find('x');
    if (x == std::string::npos) {
        return false;
    }
    double w = 0;
    double h = 0;
    if (!ParseNumber(word.substr(0, x), &w) || !ParseNumber(word.substr(x + 1), &h)) {
        return false;
    }
    auto powerOfTwo = [](double v) {
        return v >= 8 && v <= 256 && v == std::floor(v) &&
               (static_cast<int>(v) & (static_cast<int>(v) - 1)) == 0;
    };
    if (!powerOfTwo(w) || !powerOfTwo(h)) {
        return false;
    }
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

uint32_t Mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

uint32_t NameSeed(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (char c : name) {
        hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    return hash;
}

struct Random {
    uint32_t state;
    double Next() {  // 0 <= value < 1
        state = Mix(state + 0x9E3779B9u);
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    }
};

// -1..1 at a lattice point.
double Lattice(uint32_t seed, int x, int y) {
    uint32_t h = Mix(seed ^ Mix(static_cast<uint32_t>(x) * 0x27D4EB2Du ^
                                Mix(static_cast<uint32_t>(y) + 0x165667B1u)));
    return static_cast<double>(h >> 8) / static_cast<double>(1u << 23) - 1.0;
}

// Smooth value noise over a lattice of cellsX by cellsY that wraps, so it tiles.
double ValueNoise(uint32_t seed, double u, double v, int cellsX, int cellsY) {
    double fx = u * cellsX;
    double fy = v * cellsY;
    int ix = static_cast<int>(std::floor(fx));
    int iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix;
    double ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto at = [&](int x, int y) {
        return Lattice(seed, ((x % cellsX) + cellsX) % cellsX, ((y % cellsY) + cellsY) % cellsY);
    };
    double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

struct Pixel {
    double r;
    double g;
    double b;
    double a;
};

Pixel FromArgb(uint32_t argb) {
    return Pixel{((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                 (argb >> 24) / 255.0};
}

uint32_t ToArgb(const Pixel& p) {
    auto byte = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    return byte(p.a) << 24 | byte(p.r) << 16 | byte(p.g) << 8 | byte(p.b);
}

class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(width * height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    Pixel& At(int x, int y) { return pixels_[static_cast<size_t>(y * width_ + x)]; }

    // Paints colour over the pixel with the colour's own opacity times the given one ("over"
    // compositing on unpremultiplied colours). A full-opacity paint replaces the pixel exactly.
    void Blend(int x, int y, const Pixel& colour, double opacity) {
        double sa = colour.a * std::clamp(opacity, 0.0, 1.0);
        if (sa <= 0) {
            return;
        }
        Pixel& d = At(x, y);
        if (sa >= 1) {
            d = colour;
            return;
        }
        double outA = sa + d.a * (1 - sa);
        auto channel = [&](double s, double t) { return (s * sa + t * d.a * (1 - sa)) / outA; };
        d = Pixel{channel(colour.r, d.r), channel(colour.g, d.g), channel(colour.b, d.b), outA};
    }

    RgbaImage Image() const {
        RgbaImage image;
        image.width = width_;
        image.height = height_;
        image.pixels.reserve(pixels_.size());
        for (const Pixel& p : pixels_) {
            image.pixels.push_back(ToArgb(p));
        }
        return image;
    }

  private:
    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

// Distance between two coordinates on a ring of the given length.
double WrapDelta(double a, double b, double length) {
    double d = std::fabs(a - b);
    return std::min(d, length - d);
}

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    double dx = x1 - x0;
    double dy = y1 - y0;
    double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / length2, 0.0, 1.0) : 0;
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

// Inside an arrow pointing up in a -1..1 square: a triangular head over a shaft.
bool InArrow(double u, double v) {
    if (v >= -1 && v <= 0) {
        return std::fabs(u) <= (v + 1) * 0.9;
    }
    return v > 0 && v <= 1 && std::fabs(u) <= 0.35;
}

template <typename F>
void EachPixel(Canvas& canvas, F paint) {
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            paint(x, y);
        }
    }
}

void PaintStep(Canvas& canvas, const TextureStep& step, uint32_t seed) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const Pixel colour = FromArgb(step.colour);
    const std::vector<double>& n = step.numbers;
    auto number = [&](size_t i, double fallback) { return i < n.size() ? n[i] : fallback; };
    auto positive = [&](size_t i) {
        if (n[i] <= 0) {
            throw std::runtime_error("textures line " + std::to_string(step.line) + ": " + step.op +
                                     " needs a positive size");
        }
        return n[i];
    };
    Random random{seed};
    const std::string& op = step.op;
    if (op == "fill") {
        EachPixel(canvas, [&](int x, int y) { canvas.At(x, y) = colour; });
    } else if (op == "noise") {
        double amount = n[0];
        double cell = positive(1);
        int octaves = std::clamp(static_cast<int>(number(2, 1)), 1, 6);
        EachPixel(canvas, [&](int x, int y) {
            double u = (x + 0.5) / w;
            double v = (y + 0.5) / h;
            double sum = 0;
            double weight = 0;
            double amplitude = 1;
            for (int o = 0; o < octaves; ++o) {
                double octaveCell = cell / (1 << o);
                int cellsX = std::max(1, static_cast<int>(std::lround(w / octaveCell)));
                int cellsY = std::max(1, static_cast<int>(std::lround(h / octaveCell)));
                sum += amplitude *
                       ValueNoise(seed + static_cast<uint32_t>(o) * 7919u, u, v, cellsX, cellsY);
                weight += amplitude;
                amplitude *= 0.5;
            }
            double delta = amount * sum / weight;
            Pixel& p = canvas.At(x, y);
            p.r = std::clamp(p.r + delta, 0.0, 1.0);
            p.g = std::clamp(p.g + delta, 0.0, 1.0);
            p.b = std::clamp(p.b + delta, 0.0, 1.0);
        });
    } else if (op == "speckle") {
        EachPixel(canvas, [&](int x, int y) {
            if (random.Next() < n[0]) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "spots") {
        int count = static_cast<int>(n[0]);
        for (int i = 0; i < count; ++i) {
            double cx = random.Next() * w;
            double cy = random.Next() * h;
            double r = n[1] + (n[2] - n[1]) * random.Next();
            // Only the square around the disc, wrapped round the edges.
            int reach = static_cast<int>(std::ceil(r)) + 1;
            int x0 = static_cast<int>(std::floor(cx));
            int y0 = static_cast<int>(std::floor(cy));
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    int x = ((x0 + dx) % w + w) % w;
                    int y = ((y0 + dy) % h + h) % h;
                    if (std::hypot(x0 + dx + 0.5 - cx, y0 + dy + 0.5 - cy) <= r) {
                        canvas.Blend(x, y, colour, 1);
                    }
                }
            }
        }
    } else if (op == "stripes") {
        int period = static_cast<int>(positive(0));
        char dir = step.word[0];
        EachPixel(canvas, [&](int x, int y) {
            int along = dir == 'h' ? y : dir == 'v' ? x : dir == 'd' ? x + y : x - y + 4 * w;
            if (along % period < n[1]) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "grain") {
        double period = positive(0);
        EachPixel(canvas, [&](int x, int y) {
            double wobble = n[1] * ValueNoise(seed, (x + 0.5) / w, (y + 0.5) / h, 3, 6);
            double phase = (y + wobble) / period;
            phase -= std::floor(phase);
            canvas.Blend(x, y, colour, 1 - phase * 2.5);
        });
    } else if (op == "bricks") {
        int bw = static_cast<int>(positive(0));
        int bh = static_cast<int>(positive(1));
        double mortar = n[2];
        EachPixel(canvas, [&](int x, int y) {
            int row = y / bh;
            int shift = static_cast<int>(std::lround(row * n[3] * bw)) % bw;
            int bx = x + w - shift;
            if (y % bh < mortar || bx % bw < mortar) {
                canvas.Blend(x, y, colour, 1);
                return;
            }
            int column = (bx / bw) % std::max(1, w / bw);
            double delta = n[4] * Lattice(seed, column, row);
            Pixel& p = canvas.At(x, y);
            p.r = std::clamp(p.r + delta, 0.0, 1.0);
            p.g = std::clamp(p.g + delta, 0.0, 1.0);
            p.b = std::clamp(p.b + delta, 0.0, 1.0);
        });
    } else if (op == "checker") {
        int cell = static_cast<int>(positive(0));
        EachPixel(canvas, [&](int x, int y) {
            if ((x / cell + y / cell) % 2 == 1) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "gradient") {
        char dir = step.word[0];
        EachPixel(canvas, [&](int x, int y) {
            double t = 0;
            if (dir == 'h') {
                t = w > 1 ? x / (w - 1.0) : 0;
            } else if (dir == 'v') {
                t = h > 1 ? y / (h - 1.0) : 0;
            } else {
                t = std::min(
                    1.0, std::hypot(x + 0.5 - w / 2.0, y + 0.5 - h / 2.0) / (std::min(w, h) / 2.0));
            }
            canvas.Blend(x, y, colour, n[0] + (n[1] - n[0]) * t);
        });
    } else if (op == "rect") {
        EachPixel(canvas, [&](int x, int y) {
            if (x >= n[0] && x < n[0] + n[2] && y >= n[1] && y < n[1] + n[3]) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "border") {
        EachPixel(canvas, [&](int x, int y) {
            if (x < n[0] || y < n[0] || x >= w - n[0] || y >= h - n[0]) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "circle") {
        double soft = number(3, 0);
        EachPixel(canvas, [&](int x, int y) {
            double d = std::hypot(x + 0.5 - n[0], y + 0.5 - n[1]);
            if (d <= n[2]) {
                canvas.Blend(x, y, colour, soft > 0 ? (n[2] - d) / soft : 1);
            }
        });
    } else if (op == "ring") {
        EachPixel(canvas, [&](int x, int y) {
            double d = std::hypot(x + 0.5 - n[0], y + 0.5 - n[1]);
            if (std::fabs(d - n[2]) <= n[3] / 2) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "line") {
        EachPixel(canvas, [&](int x, int y) {
            if (SegmentDistance(x + 0.5, y + 0.5, n[0], n[1], n[2], n[3]) <= n[4] / 2) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "arrow") {
        double size = positive(0);
        const std::string& dir = step.word;
        EachPixel(canvas, [&](int x, int y) {
            double u = ((x + 0.5) / w * 2 - 1) / size;
            double v = ((y + 0.5) / h * 2 - 1) / size;
            bool inside = dir == "up"     ? InArrow(u, v)
                          : dir == "down" ? InArrow(u, -v)
                          : dir == "left" ? InArrow(v, u)
                                          : InArrow(v, -u);
            if (inside) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "waves") {
        double period = positive(0);
        EachPixel(canvas, [&](int x, int y) {
            double shifted = y + n[1] * std::sin(2 * PI * 2 * (x + 0.5) / w);
            double phase = shifted / period;
            phase -= std::floor(phase);
            if (phase * period < n[2]) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    } else if (op == "cracks") {
        int cells = std::max(1, static_cast<int>(positive(0)));
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < cells; ++i) {
            double px = random.Next() * w;
            double py = random.Next() * h;
            points.emplace_back(px, py);
        }
        EachPixel(canvas, [&](int x, int y) {
            double nearest = 1e30;
            double second = 1e30;
            for (const auto& [px, py] : points) {
                double d = std::hypot(WrapDelta(x + 0.5, px, w), WrapDelta(y + 0.5, py, h));
                if (d < nearest) {
                    second = nearest;
                    nearest = d;
                } else if (d < second) {
                    second = d;
                }
            }
            if (second - nearest < n[1]) {
                canvas.Blend(x, y, colour, 1);
            }
        });
    }
}

TextureStep ParseStep(const std::vector<std::string>& words, int lineNumber,
                      const std::string& line) {
    auto fail = [&](const std::string& why) {
        throw std::runtime_error("textures line " + std::to_string(lineNumber) + ": " + why);
    };
    const StepShape* shape = nullptr;
    for (const StepShape& s : STEP_SHAPES) {
        if (words[0] == s.op) {
            shape = &s;
        }
    }
    if (shape == nullptr) {
        fail("unknown step '" + words[0] + "' in: " + line);
    }
    TextureStep step;
    step.line = lineNumber;
    step.op = words[0];
    size_t i = 1;
    if (shape->colour) {
        if (i >= words.size() || !ParseColour(words[i], &step.colour)) {
            fail("expected a colour (#RRGGBB or #RRGGBBAA): " + std::string(shape->usage));
        }
        i += 1;
    }
    if (shape->words != nullptr) {
        std::vector<std::string> allowed = SplitWords(shape->words);
        if (i >= words.size() ||
            std::find(allowed.begin(), allowed.end(), words[i]) == allowed.end()) {
            fail("expected: " + std::string(shape->usage));
        }
        step.word = words[i];
        i += 1;
    }
    for (; i < words.size(); ++i) {
        double value = 0;
        if (!ParseNumber(words[i], &value)) {
            fail("not a number '" + words[i] + "' in: " + line);
        }
        step.numbers.push_back(value);
    }
    if (step.numbers.size() < shape->minNumbers || step.numbers.size() > shape->maxNumbers) {
        fail("expected: " + std::string(shape->usage));
    }
    return step;
}

}  // namespace

std::vector<TextureRecipe> ParseTextureRecipes(const std::string& text) {
    std::vector<TextureRecipe> recipes;
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
        auto fail = [&](const std::string& why) {
            throw std::runtime_error("textures line " + std::to_string(lineNumber) + ": " + why);
        };
        if (words[0] == "tile" || words[0] == "skin") {
            if (open) {
                fail("'" + recipes.back().name + "' has no end");
            }
            bool tile = words[0] == "tile";
            if (words.size() != (tile ? 4u : 3u)) {
                fail(tile ? "expected 'tile <slot> <name> <width>x<height>'"
                          : "expected 'skin <name> <width>x<height>'");
            }
            TextureRecipe recipe;
            double slot = 0;
            if (tile && (!ParseNumber(words[1], &slot) || slot < 0 || slot != std::floor(slot))) {
                fail("bad slot '" + words[1] + "'");
            }
            recipe.slot = tile ? static_cast<int>(slot) : -1;
            recipe.name = words[tile ? 2 : 1];
            if (!ParseSize(words.back(), &recipe.width, &recipe.height)) {
                fail("size '" + words.back() + "' is not <width>x<height> in powers of two 8..256");
            }
            recipes.push_back(recipe);
            open = true;
        } else if (words[0] == "end") {
            if (!open) {
                fail("'end' outside a texture");
            }
            if (recipes.back().steps.empty()) {
                fail("'" + recipes.back().name + "' has no steps");
            }
            open = false;
        } else {
            if (!open) {
                fail("a step outside a texture");
            }
            recipes.back().steps.push_back(ParseStep(words, lineNumber, line));
        }
    }
    if (open) {
        throw std::runtime_error("textures: '" + recipes.back().name + "' has no end");
    }
    return recipes;
}

RgbaImage RenderTexture(const TextureRecipe& recipe) {
    Canvas canvas(recipe.width, recipe.height);
    uint32_t seed = NameSeed(recipe.name);
    for (size_t i = 0; i < recipe.steps.size(); ++i) {
        PaintStep(canvas, recipe.steps[i], Mix(seed + static_cast<uint32_t>(i) * 0x632BE5ABu));
    }
    return canvas.Image();
}

TextureLibrary BuildTextureLibrary(const std::string& text, int tileCount) {
    TextureLibrary library;
    library.tiles.resize(static_cast<size_t>(tileCount));
    std::vector<bool> seen(static_cast<size_t>(tileCount), false);
    for (const TextureRecipe& recipe : ParseTextureRecipes(text)) {
        if (recipe.slot >= tileCount ||
            (recipe.slot >= 0 && seen[static_cast<size_t>(recipe.slot)])) {
            throw std::runtime_error("textures: slot " + std::to_string(recipe.slot) + " of '" +
                                     recipe.name + "' is outside 0.." +
                                     std::to_string(tileCount - 1) + " or given twice");
        }
        if (library.byName.count(recipe.name) != 0) {
            throw std::runtime_error("textures: the name '" + recipe.name + "' is given twice");
        }
        RgbaImage image = RenderTexture(recipe);
        if (recipe.slot >= 0) {
            seen[static_cast<size_t>(recipe.slot)] = true;
            library.tiles[static_cast<size_t>(recipe.slot)] = image;
        }
        library.byName.emplace(recipe.name, std::move(image));
    }
    for (int slot = 0; slot < tileCount; ++slot) {
        if (!seen[static_cast<size_t>(slot)]) {
            throw std::runtime_error("textures: no tile for slot " + std::to_string(slot));
        }
    }
    return library;
}
