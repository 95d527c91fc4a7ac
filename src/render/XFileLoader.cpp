#include "render/XFileLoader.h"

#include <cmath>
#include <filesystem>

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "base/TextFile.h"
#include "render/RenderError.h"
#include "render/XFileBounds.h"

namespace zel::render {

namespace {

// Game meshes are a few hundred kilobytes; a larger file is not ours and is
// refused before the parser spends time and memory on it.
constexpr std::uintmax_t kMaxMeshFileBytes = 64u * 1024u * 1024u;

Colour MaterialColour(const aiMaterial* material, const char* key, unsigned type, unsigned index,
                      const Colour& fallback) {
    aiColor4D c;
    if (material && material->Get(key, type, index, c) == AI_SUCCESS) {
        return {static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b),
                static_cast<float>(c.a)};
    }
    return fallback;
}

bool Finite(const aiVector3D& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Why the parsed scene's faces cannot be processed, or "" when they can:
// every face of every mesh has at least one corner and names only vertices
// of its mesh. (The triangulation step asserts on a face without corners
// instead of refusing it.)
std::string CheckImportedFaces(const aiScene& scene) {
    for (unsigned mi = 0; mi < scene.mNumMeshes; ++mi) {
        const aiMesh* mesh = scene.mMeshes ? scene.mMeshes[mi] : nullptr;
        if (!mesh) return "пустая сетка";
        if (mesh->mNumFaces > 0 && !mesh->mFaces) return "нет списка граней";
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            if (face.mNumIndices == 0 || !face.mIndices) return "грань без вершин";
            for (unsigned k = 0; k < face.mNumIndices; ++k)
                if (face.mIndices[k] >= mesh->mNumVertices) return "грань ссылается на несуществующую вершину";
        }
    }
    return "";
}

}  // namespace

MeshBuilder LoadXFile(const std::string& path) {
    const std::filesystem::path file = std::filesystem::u8path(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw RenderError(RenderErrorCode::FileNotFound, "файл не найден: " + path);
    }
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxMeshFileBytes) {
        throw RenderError(RenderErrorCode::BadMeshFile, "файл сетки слишком велик или недоступен: " + path);
    }

    std::string bytes;
    std::string readError;
    if (!ReadFileBytes(path, bytes, readError)) {
        throw RenderError(RenderErrorCode::BadMeshFile, "файл сетки не читается: " + path + ": " + readError);
    }
    if (const std::string why = CheckXFileBounds(bytes); !why.empty()) {
        throw RenderError(RenderErrorCode::BadMeshFile, "файл сетки поврежден: " + path + ": " + why);
    }

    // The importer turns .x files right-handed; converting back to
    // left-handed restores the file's own coordinates, winding and texture
    // coordinates bit for bit.
    Assimp::Importer importer;
    const unsigned flags = aiProcess_ConvertToLeftHanded | aiProcess_Triangulate |
                           aiProcess_PreTransformVertices | aiProcess_GenSmoothNormals |
                           aiProcess_ValidateDataStructure;
    // The importer reads the very bytes that were checked, not the file
    // again; its processing steps run only once the faces are known to be
    // sound, because some of them end the program on a damaged face.
    const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, "x");
    if (scene) {
        if (const std::string why = CheckImportedFaces(*scene); !why.empty()) {
            throw RenderError(RenderErrorCode::BadMeshFile, "файл сетки поврежден: " + path + ": " + why);
        }
        scene = importer.ApplyPostProcessing(flags);
    }
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || scene->mNumMeshes == 0) {
        const char* why = importer.GetErrorString();
        throw RenderError(RenderErrorCode::BadMeshFile,
                          "не удалось прочитать сетку " + path + (why && *why ? std::string(": ") + why : ""));
    }

    MeshBuilder out;
    for (unsigned mi = 0; mi < scene->mNumMeshes; ++mi) {
        const aiMesh* mesh = scene->mMeshes[mi];
        if (!mesh || !mesh->mVertices) continue;
        const aiMaterial* material =
            mesh->mMaterialIndex < scene->mNumMaterials ? scene->mMaterials[mesh->mMaterialIndex] : nullptr;
        const Colour diffuse = MaterialColour(material, AI_MATKEY_COLOR_DIFFUSE, {1, 1, 1, 1});
        const Colour emissive = MaterialColour(material, AI_MATKEY_COLOR_EMISSIVE, {0, 0, 0, 0});

        const int base = static_cast<int>(out.Vertices().size());
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            const aiVector3D& p = mesh->mVertices[v];
            if (!Finite(p)) {
                throw RenderError(RenderErrorCode::BadMeshFile, "координата вершины не является числом: " + path);
            }
            out.AddVertex({p.x, p.y, p.z});
        }
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            if (face.mNumIndices < 3) continue;  // points and lines draw nothing
            MeshFace mf;
            mf.colour = diffuse;
            mf.emissive = emissive;
            for (unsigned k = 0; k < face.mNumIndices; ++k) {
                const unsigned idx = face.mIndices[k];
                if (idx >= mesh->mNumVertices) {
                    throw RenderError(RenderErrorCode::BadMeshFile, "грань ссылается на несуществующую вершину: " + path);
                }
                FaceCorner c;
                c.vertex = base + static_cast<int>(idx);
                if (mesh->mNormals && Finite(mesh->mNormals[idx])) {
                    const aiVector3D& n = mesh->mNormals[idx];
                    c.normal = Normalized({n.x, n.y, n.z});
                }
                if (mesh->mTextureCoords[0]) {
                    c.u = mesh->mTextureCoords[0][idx].x;
                    c.v = mesh->mTextureCoords[0][idx].y;
                }
                mf.corners.push_back(c);
            }
            out.AddFace(std::move(mf));
        }
    }
    // A file without a single drawable face is not a mesh of ours; the
    // importer drops faces that point at missing vertices.
    if (out.FaceCount() == 0) {
        throw RenderError(RenderErrorCode::BadMeshFile, "в файле нет граней: " + path);
    }
    return out;
}

}  // namespace zel::render
