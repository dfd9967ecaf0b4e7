// The demo data builder.
#include "datapack/demo_data.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "datapack/atlas_painter.h"
#include "datapack/map_source.h"
#include "datapack/model_builder.h"
#include "datapack/png_writer.h"
#include "datapack/sound_synth.h"
#include "datapack/texture_builder.h"
#include "datapack/wave_writer.h"
#include "datapack/xfile_writer.h"
#include "engine/data_archive.h"
#include "engine/sound.h"

std::string ReadTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBinaryFile(const std::filesystem::path& path, const Bytes& bytes) {
    // Written beside the target and renamed over it, so a failed build never leaves half a file.
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    std::filesystem::rename(temporary, path);
}

namespace {

void AddSounds(const std::filesystem::path& demoDir, std::vector<Bytes>& entries) {
    std::vector<SoundRecipe> recipes = ParseSoundRecipes(ReadTextFile(demoDir / "sounds.txt"));
    std::vector<bool> seen(SOUND_COUNT, false);
    for (const SoundRecipe& recipe : recipes) {
        if (recipe.id < 0 || recipe.id >= SOUND_COUNT || seen[recipe.id]) {
            throw std::runtime_error("sounds: id " + std::to_string(recipe.id) +
                                     " is outside 0..28 or given twice");
        }
        seen[recipe.id] = true;
        WaveLayout layout;
        layout.sampleRate = SYNTH_RATE;
        entries[ARCHIVE_SOUND_FIRST + recipe.id] =
            WriteWave(layout, Pcm16Bytes(RenderSound(recipe)));
    }
    for (int id = 0; id < SOUND_COUNT; ++id) {
        if (!seen[id]) {
            throw std::runtime_error("sounds: no recipe for sound " + std::to_string(id));
        }
    }
}

// Textures 2..29, the models 130..168, and their materials' textures from 30 on in the order
// the game hands those entries out (model order, then material order).
void AddTexturesAndModels(const std::filesystem::path& demoDir, std::vector<Bytes>& entries) {
    constexpr int textureCount = ARCHIVE_MESH_TEXTURE_FIRST - ARCHIVE_TEXTURE_FIRST;
    constexpr int modelCount = ARCHIVE_SOUND_FIRST - ARCHIVE_MESH_FIRST;
    TextureLibrary textures =
        BuildTextureLibrary(ReadTextFile(demoDir / "textures.txt"), textureCount);
    for (int i = 0; i < textureCount; ++i) {
        entries[ARCHIVE_TEXTURE_FIRST + i] = EncodePng(textures.tiles[static_cast<size_t>(i)]);
    }
    ModelSet models =
        BuildModelSet(ReadTextFile(demoDir / "models.txt"), modelCount, textures.byName,
                      ARCHIVE_MESH_TEXTURE_END - ARCHIVE_MESH_TEXTURE_FIRST);
    for (int m = 0; m < modelCount; ++m) {
        const BuiltModel& model = models.models[static_cast<size_t>(m)];
        entries[ARCHIVE_MESH_FIRST + m] = WriteXFile(model.mesh, model.form, model.floatBits);
    }
    for (size_t k = 0; k < models.materialTextures.size(); ++k) {
        entries[ARCHIVE_MESH_TEXTURE_FIRST + static_cast<int>(k)] =
            EncodePng(models.materialTextures[k]);
    }
}

}  // namespace

std::vector<Bytes> BuildDemoArchiveEntries(const std::filesystem::path& demoDir) {
    std::vector<Bytes> entries(ARCHIVE_ENTRY_COUNT);
    entries[ARCHIVE_UI_ATLAS] = EncodePng(PaintAtlas(AtlasSheet::Interface));
    entries[ARCHIVE_GLYPH_ATLAS] = EncodePng(PaintAtlas(AtlasSheet::Glyphs));
    AddTexturesAndModels(demoDir, entries);
    AddSounds(demoDir, entries);
    return entries;
}

void WriteDemoDataSet(const std::filesystem::path& demoDir, const std::filesystem::path& outDir) {
    std::filesystem::create_directories(outDir);
    WriteBinaryFile(outDir / "data.dat", WriteArchive(BuildDemoArchiveEntries(demoDir)));
    WriteMapPackFiles(ReadMapSources(demoDir / "maps"), outDir);
}
