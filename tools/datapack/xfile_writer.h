// Writes meshes as .x files in any of the four forms the game's parser reads: text, binary,
// and the MSZIP-compressed text and binary.
#pragma once

#include <cstddef>

#include "datapack/archive_writer.h"
#include "platform/common/xfile.h"

enum class XFileForm { Text, Binary, CompressedText, CompressedBinary };

// One frame with an identity transform holding one mesh: its faces as triangles, MeshNormals,
// MeshTextureCoords and MeshVertexColors when the mesh has them, and a material list with the
// materials inline. A mesh without materials gets no material list (the parser then gives it
// one default material). floatBits is 32 or 64.
Bytes WriteXFile(const XMesh& mesh, XFileForm form, int floatBits = 32);

// A plain text or binary file in its compressed form, the body cut into blocks of at most
// blockBytes (1 to 32768) bytes. Anything that is not a plain .x file comes back unchanged.
Bytes CompressXFile(const Bytes& plainFile, size_t blockBytes = 32768);
