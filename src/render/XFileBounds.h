#pragma once
#include <string>
#include <string_view>

namespace zel::render {

// Checks a .x file's bytes before the mesh importer sees them. The importer
// reserves memory for every count a file declares, so a file of a few bytes
// declaring a billion vertices would take all the machine's memory. Every
// count must fit in the file: a count needs at least one byte per element,
// so no number used as one may exceed the file's size.
//  - Text files: every plain integer of the file (vertex and face counts,
//    indices) must not exceed the file's size in bytes, and none may be
//    negative (the importer reads a negative count as a huge one; the
//    game's files write coordinates with a decimal point).
//    Every MeshMaterialList has the form the game's meshes write (counts,
//    the face indices, then at least one Material or reference): the
//    importer reads past a list it took no material from.
//  - Binary files: every token is walked; each list's declared length must
//    fit in the bytes that follow it, and every integer must not exceed the
//    file's size.
//  - Compressed files are refused: their unpacked size is not bounded by
//    anything in the file the game could check first.
// Returns "" when the file may be imported, else why not (in Russian).
std::string CheckXFileBounds(std::string_view bytes);

}  // namespace zel::render
