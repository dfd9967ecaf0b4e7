// The .x file writer. The mesh is written once through a small emitter that either prints text
// or gathers consecutive numbers into the binary form's integer and float lists, so both plain
// forms hold the same objects in the same order.
#include "datapack/xfile_writer.h"

#include <zlib.h>

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr uint16_t TOKEN_NAME = 1;
constexpr uint16_t TOKEN_STRING = 2;
constexpr uint16_t TOKEN_INTEGER_LIST = 6;
constexpr uint16_t TOKEN_FLOAT_LIST = 7;
constexpr uint16_t TOKEN_OBRACE = 10;
constexpr uint16_t TOKEN_CBRACE = 11;
constexpr uint16_t TOKEN_SEMICOLON = 20;

constexpr size_t HEADER_BYTES = 16;
constexpr size_t MAX_BLOCK_BYTES = 32768;

struct Emitter {
    bool binary = false;
    int floatBits = 32;
    Bytes out;
    size_t indent = 0;
    bool lineStart = true;
    // The binary form's list being gathered: only one of them is ever non-empty.
    std::vector<uint32_t> ints;
    std::vector<double> floats;
};

void Append16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Append32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void AppendBytes(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

void FlushLists(Emitter& e) {
    if (!e.ints.empty()) {
        Append16(e.out, TOKEN_INTEGER_LIST);
        Append32(e.out, static_cast<uint32_t>(e.ints.size()));
        for (uint32_t v : e.ints) {
            Append32(e.out, v);
        }
        e.ints.clear();
    }
    if (!e.floats.empty()) {
        Append16(e.out, TOKEN_FLOAT_LIST);
        Append32(e.out, static_cast<uint32_t>(e.floats.size()));
        for (double v : e.floats) {
            if (e.floatBits == 64) {
                uint64_t bits;
                std::memcpy(&bits, &v, sizeof bits);
                Append32(e.out, static_cast<uint32_t>(bits));
                Append32(e.out, static_cast<uint32_t>(bits >> 32));
            } else {
                float f = static_cast<float>(v);
                uint32_t bits;
                std::memcpy(&bits, &f, sizeof bits);
                Append32(e.out, bits);
            }
        }
        e.floats.clear();
    }
}

// Text: the indentation at the start of a line, the value, then the separator (which may end
// the line).
void Text(Emitter& e, std::string_view value, std::string_view separator) {
    if (e.lineStart) {
        for (size_t i = 0; i < e.indent; ++i) {
            e.out.push_back(' ');
        }
    }
    AppendBytes(e.out, value);
    AppendBytes(e.out, separator);
    e.lineStart = !separator.empty() && separator.back() == '\n';
}

void Int(Emitter& e, uint32_t value, std::string_view separator) {
    if (e.binary) {
        if (!e.floats.empty()) {
            FlushLists(e);
        }
        e.ints.push_back(value);
        return;
    }
    char text[16];
    auto result = std::to_chars(text, text + sizeof text, value);
    Text(e, std::string_view(text, static_cast<size_t>(result.ptr - text)), separator);
}

void Float(Emitter& e, float value, std::string_view separator) {
    if (e.binary) {
        if (!e.ints.empty()) {
            FlushLists(e);
        }
        e.floats.push_back(value);
        return;
    }
    // The shortest text that reads back as the same value.
    char text[40];
    auto result = e.floatBits == 64
                      ? std::to_chars(text, text + sizeof text, static_cast<double>(value))
                      : std::to_chars(text, text + sizeof text, value);
    Text(e, std::string_view(text, static_cast<size_t>(result.ptr - text)), separator);
}

void Name(Emitter& e, std::string_view name) {
    Append16(e.out, TOKEN_NAME);
    Append32(e.out, static_cast<uint32_t>(name.size()));
    AppendBytes(e.out, name);
}

void Begin(Emitter& e, std::string_view type, std::string_view name) {
    if (e.binary) {
        FlushLists(e);
        Name(e, type);
        if (!name.empty()) {
            Name(e, name);
        }
        Append16(e.out, TOKEN_OBRACE);
        return;
    }
    std::string line(type);
    if (!name.empty()) {
        line += ' ';
        line += name;
    }
    Text(e, line, " {\n");
    e.indent += 1;
}

void End(Emitter& e) {
    if (e.binary) {
        FlushLists(e);
        Append16(e.out, TOKEN_CBRACE);
        return;
    }
    if (e.indent > 0) {
        e.indent -= 1;
    }
    Text(e, "}", "\n");
}

void String(Emitter& e, std::string_view value) {
    if (e.binary) {
        FlushLists(e);
        Append16(e.out, TOKEN_STRING);
        Append32(e.out, static_cast<uint32_t>(value.size()));
        AppendBytes(e.out, value);
        Append16(e.out, TOKEN_SEMICOLON);
        return;
    }
    Text(e, "\"" + std::string(value) + "\"", ";\n");
}

// Separators after the last element of a list end the list; the others continue it.
std::string_view ListEnd(size_t i, size_t count) {
    return i + 1 < count ? ";,\n" : ";;\n";
}

void WriteFaces(Emitter& e, const std::vector<uint32_t>& indices) {
    const size_t triangles = indices.size() / 3;
    Int(e, static_cast<uint32_t>(triangles), ";\n");
    for (size_t t = 0; t < triangles; ++t) {
        Int(e, 3, ";");
        Int(e, indices[t * 3], ",");
        Int(e, indices[t * 3 + 1], ",");
        Int(e, indices[t * 3 + 2], ListEnd(t, triangles));
    }
}

void WriteVectors(Emitter& e, const std::vector<Vec3>& vectors) {
    Int(e, static_cast<uint32_t>(vectors.size()), ";\n");
    for (size_t i = 0; i < vectors.size(); ++i) {
        Float(e, vectors[i].x, ";");
        Float(e, vectors[i].y, ";");
        Float(e, vectors[i].z, ListEnd(i, vectors.size()));
    }
}

void WriteColourRgb(Emitter& e, const float* rgb) {
    Float(e, rgb[0], ";");
    Float(e, rgb[1], ";");
    Float(e, rgb[2], ";;\n");
}

void WriteMaterial(Emitter& e, const XMaterial& m) {
    Begin(e, "Material", "");
    Float(e, m.diffuse[0], ";");
    Float(e, m.diffuse[1], ";");
    Float(e, m.diffuse[2], ";");
    Float(e, m.diffuse[3], ";;\n");
    Float(e, m.power, ";\n");
    WriteColourRgb(e, m.specular);
    WriteColourRgb(e, m.emissive);
    if (!m.textureFile.empty()) {
        Begin(e, "TextureFilename", "");
        String(e, m.textureFile);
        End(e);
    }
    End(e);
}

void WriteMesh(Emitter& e, const XMesh& mesh) {
    const size_t vertices = mesh.positions.size();
    const size_t triangles = mesh.indices.size() / 3;
    Begin(e, "Mesh", "mesh");
    WriteVectors(e, mesh.positions);
    WriteFaces(e, mesh.indices);
    if (!mesh.normals.empty() && mesh.normals.size() == vertices) {
        // One normal per vertex, each corner using its vertex's own.
        Begin(e, "MeshNormals", "");
        WriteVectors(e, mesh.normals);
        WriteFaces(e, mesh.indices);
        End(e);
    }
    if (!mesh.texCoords.empty() && mesh.texCoords.size() == vertices) {
        Begin(e, "MeshTextureCoords", "");
        Int(e, static_cast<uint32_t>(vertices), ";\n");
        for (size_t i = 0; i < vertices; ++i) {
            Float(e, mesh.texCoords[i].x, ";");
            Float(e, mesh.texCoords[i].y, ListEnd(i, vertices));
        }
        End(e);
    }
    if (!mesh.colours.empty() && mesh.colours.size() == vertices) {
        Begin(e, "MeshVertexColors", "");
        Int(e, static_cast<uint32_t>(vertices), ";\n");
        for (size_t i = 0; i < vertices; ++i) {
            const uint32_t argb = mesh.colours[i];
            Int(e, static_cast<uint32_t>(i), ";");
            Float(e, static_cast<float>((argb >> 16 & 0xFF) / 255.0), ";");
            Float(e, static_cast<float>((argb >> 8 & 0xFF) / 255.0), ";");
            Float(e, static_cast<float>((argb & 0xFF) / 255.0), ";");
            Float(e, static_cast<float>((argb >> 24) / 255.0),
                  i + 1 < vertices ? ";;,\n" : ";;;\n");
        }
        End(e);
    }
    if (!mesh.materials.empty()) {
        Begin(e, "MeshMaterialList", "");
        Int(e, static_cast<uint32_t>(mesh.materials.size()), ";\n");
        Int(e, static_cast<uint32_t>(triangles), ";\n");
        for (size_t t = 0; t < triangles; ++t) {
            uint32_t material = t < mesh.triangleMaterials.size() ? mesh.triangleMaterials[t] : 0;
            Int(e, material, t + 1 < triangles ? ",\n" : ";;\n");
        }
        for (const XMaterial& m : mesh.materials) {
            WriteMaterial(e, m);
        }
        End(e);
    }
    End(e);
}

void AppendHeader(Bytes& out, const char* form, int floatBits) {
    AppendBytes(out, "xof 0303");
    AppendBytes(out, form);
    AppendBytes(out, floatBits == 64 ? "0064" : "0032");
}

// One block as a raw deflate stream that may refer back into the previous block.
Bytes DeflateBlock(const uint8_t* data, size_t size, const uint8_t* previous, size_t previousSize) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (previousSize > 0) {
        deflateSetDictionary(&z, previous, static_cast<uInt>(previousSize));
    }
    Bytes packed(deflateBound(&z, static_cast<uLong>(size)));
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    deflate(&z, Z_FINISH);  // the bound leaves room for the whole stream in one call
    packed.erase(packed.end() - static_cast<ptrdiff_t>(z.avail_out), packed.end());
    deflateEnd(&z);
    return packed;
}

}  // namespace

Bytes WriteXFile(const XMesh& mesh, XFileForm form, int floatBits) {
    Emitter e;
    e.binary = form == XFileForm::Binary || form == XFileForm::CompressedBinary;
    e.floatBits = floatBits == 64 ? 64 : 32;
    AppendHeader(e.out, e.binary ? "bin " : "txt ", e.floatBits);
    if (!e.binary) {
        Text(e, "", "\n");
    }
    Begin(e, "Frame", "root");
    Begin(e, "FrameTransformMatrix", "");
    const Mat4 identity = MatrixIdentity();
    for (int i = 0; i < 16; ++i) {
        Float(e, identity.m[i / 4][i % 4], i < 15 ? "," : ";;\n");
    }
    End(e);
    WriteMesh(e, mesh);
    End(e);
    if (form == XFileForm::CompressedText || form == XFileForm::CompressedBinary) {
        return CompressXFile(e.out);
    }
    return e.out;
}

Bytes CompressXFile(const Bytes& plainFile, size_t blockBytes) {
    if (plainFile.size() < HEADER_BYTES || std::memcmp(plainFile.data(), "xof ", 4) != 0) {
        return plainFile;
    }
    const char* form;
    if (std::memcmp(plainFile.data() + 8, "txt ", 4) == 0) {
        form = "tzip";
    } else if (std::memcmp(plainFile.data() + 8, "bin ", 4) == 0) {
        form = "bzip";
    } else {
        return plainFile;
    }
    if (blockBytes == 0 || blockBytes > MAX_BLOCK_BYTES) {
        blockBytes = MAX_BLOCK_BYTES;
    }
    Bytes out(plainFile.begin(), plainFile.begin() + HEADER_BYTES);
    std::memcpy(out.data() + 8, form, 4);
    Append32(out, static_cast<uint32_t>(plainFile.size()));  // the header counts
    const uint8_t* body = plainFile.data() + HEADER_BYTES;
    const size_t bodySize = plainFile.size() - HEADER_BYTES;
    size_t previousSize = 0;
    for (size_t start = 0; start < bodySize; start += blockBytes) {
        const size_t size = bodySize - start < blockBytes ? bodySize - start : blockBytes;
        Bytes packed = DeflateBlock(body + start, size, body + start - previousSize, previousSize);
        Append16(out, static_cast<uint16_t>(size));
        Append16(out, static_cast<uint16_t>(packed.size() + 2));  // with the signature
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
        previousSize = size;
    }
    return out;
}
