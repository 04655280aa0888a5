// assimp behind MeshData: reads .x files into plain arrays with the file's own coordinates and winding.
#include "platform/mesh/MeshData.h"

#include <algorithm>
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace gfx
{

namespace
{

const int kErrImport = -1;
const int kErrEmpty = -2;
const int kErrRead = -3;

// assimp turns .x into its right-handed convention on import; these steps turn it back, so positions,
// normals, texture coordinates and index order come out as the file wrote them. Polygons are split
// here, not by assimp's triangulation, which aborts the process on some damaged face lists.
const unsigned kImportFlags =
    aiProcess_ValidateDataStructure | aiProcess_ConvertToLeftHanded | aiProcess_JoinIdenticalVertices;

int Fail(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what;
    return code;
}

Colour4 ReadColour(const aiMaterial* material, const char* key, unsigned type, unsigned index,
                   Colour4 fallback)
{
    aiColor4D c;
    if (material->Get(key, type, index, c) != AI_SUCCESS)
        return fallback;
    return {c.r, c.g, c.b, c.a};
}

MeshMaterial ConvertMaterial(const aiMaterial* source)
{
    MeshMaterial m;
    aiString name;
    if (source->Get(AI_MATKEY_NAME, name) == AI_SUCCESS)
        m.name = name.C_Str();
    m.diffuse = ReadColour(source, AI_MATKEY_COLOR_DIFFUSE, m.diffuse);
    m.ambient = ReadColour(source, AI_MATKEY_COLOR_AMBIENT, m.ambient);
    m.specular = ReadColour(source, AI_MATKEY_COLOR_SPECULAR, m.specular);
    m.emissive = ReadColour(source, AI_MATKEY_COLOR_EMISSIVE, m.emissive);
    float opacity = 1.0f;
    if (source->Get(AI_MATKEY_OPACITY, opacity) == AI_SUCCESS)
        m.diffuse[3] = opacity;
    source->Get(AI_MATKEY_SHININESS, m.power);
    aiString texture;
    if (source->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS)
        m.textureFile = texture.C_Str();
    return m;
}

// The .x loader collapses the frame hierarchy into one mesh, so every node's transform is applied to its
// meshes.
void CollectNode(const aiScene* scene, const aiNode* node, const aiMatrix4x4& parent,
                 std::vector<std::pair<unsigned, aiMatrix4x4>>& placed)
{
    const aiMatrix4x4 world = parent * node->mTransformation;
    for (unsigned i = 0; i < node->mNumMeshes; ++i)
        placed.emplace_back(node->mMeshes[i], world);
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        CollectNode(scene, node->mChildren[i], world, placed);
}

void AppendMesh(const aiMesh* mesh, const aiMatrix4x4& transform, MeshData& out)
{
    const uint32_t base = static_cast<uint32_t>(out.positions.size());
    aiMatrix3x3 normalMatrix(transform);
    normalMatrix.Inverse().Transpose();
    for (unsigned v = 0; v < mesh->mNumVertices; ++v)
    {
        const aiVector3D p = transform * mesh->mVertices[v];
        out.positions.push_back({p.x, p.y, p.z});
        if (mesh->HasNormals())
        {
            aiVector3D n = normalMatrix * mesh->mNormals[v];
            if (n.SquareLength() > 0.0f)
                n.Normalize();
            out.normals.push_back({n.x, n.y, n.z});
        }
        else
        {
            out.normals.push_back({0, 0, 0});
        }
        if (mesh->HasTextureCoords(0))
            out.texCoords.push_back({mesh->mTextureCoords[0][v].x, mesh->mTextureCoords[0][v].y});
        else
            out.texCoords.push_back({0, 0});
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f)
    {
        const aiFace& face = mesh->mFaces[f];
        // A polygon becomes a fan of triangles; lines and points have no place in a triangle list.
        for (unsigned k = 1; k + 1 < face.mNumIndices; ++k)
            for (unsigned corner : {0u, k, k + 1})
                out.indices.push_back(base + face.mIndices[corner]);
    }
}

// The tokens of a text .x file as the importer splits them: braces and separators stand alone, a
// comment runs from a token's start to the end of the line, and everything else (quotes included) is a
// word up to the next blank or separator. Checking the same tokens the importer reads keeps the checks
// below in step with it.
std::vector<std::string> ImporterTokens(const std::string& text)
{
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size())
    {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c)))
            ++i;
        else if (c == '#' || (c == '/' && i + 1 < text.size() && text[i + 1] == '/'))
            i = std::min(text.find_first_of("\r\n", i), text.size() - 1) + 1;
        else if (c == '{' || c == '}' || c == ';' || c == ',')
            tokens.emplace_back(1, text[i++]);
        else
        {
            const size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) &&
                   std::string("{};,").find(text[i]) == std::string::npos)
                ++i;
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

// A whole number larger than the file (a count of items no file this size can hold) would have the
// importer reserve gigabytes before it notices. The game's meshes write every coordinate with a
// decimal point, so whole numbers are counts and indices only.
bool CountsFitTheFile(const std::vector<std::string>& tokens, size_t fileSize)
{
    for (const std::string& token : tokens)
    {
        const size_t digits = token.find_first_not_of("+-") == std::string::npos ? 0 : token.find_first_not_of("+-");
        if (digits > 1 || digits == token.size() || token.find_first_not_of("0123456789", digits) != std::string::npos)
            continue;
        if (token.size() - digits > 18 || std::strtoull(token.c_str() + digits, nullptr, 10) > fileSize)
            return false;
    }
    return true;
}

bool IsWholeNumber(const std::string& token)
{
    const size_t digits = token.size() > 1 && token[0] == '-' ? 1 : 0;
    return token.size() > digits && token.find_first_not_of("0123456789", digits) == std::string::npos;
}

// assimp's .x importer follows a null material when a material list gives its faces material indices
// but the list's first entry after them is not a material: it skips an entry it does not know
// (anything but "Material" or a "{ name }" reference), material and all, and is left with faces that
// point into an empty material table. Entries after the first are not followed here: once the first is
// a material the table cannot be empty. Lists shaped otherwise than the importer reads them are refused
// too; it would reject them anyway.
bool MaterialListsHoldMaterials(const std::vector<std::string>& t)
{
    for (size_t i = 0; i < t.size(); ++i)
    {
        if (t[i] != "MeshMaterialList")
            continue;
        size_t j = i + 1;
        if (j < t.size() && t[j] != "{")
            ++j;
        if (j >= t.size() || t[j] != "{")
            continue;
        ++j;
        // The material count, the face index count, then that many face indices, each a number and a
        // separator.
        long faceIndices = 0;
        for (long read = 0; read < 2 + faceIndices; ++read, j += 2)
        {
            if (j + 1 >= t.size() || !IsWholeNumber(t[j]) || (t[j + 1] != ";" && t[j + 1] != ","))
                return false;
            if (read == 1)
                faceIndices = std::strtol(t[j].c_str(), nullptr, 10);
        }
        if (faceIndices == 0)
            continue;
        while (j < t.size() && t[j] == ";")
            ++j;
        if (j >= t.size() || (t[j] != "Material" && t[j] != "{"))
            return false;
    }
    return true;
}

} // namespace

void MeshData::ComputeBounds()
{
    if (positions.empty())
    {
        boxMin = boxMax = sphereCentre = {0, 0, 0};
        sphereRadius = 0.0f;
        return;
    }
    boxMin = boxMax = positions.front();
    double sum[3] = {0, 0, 0};
    for (const Float3& p : positions)
        for (int a = 0; a < 3; ++a)
        {
            boxMin[a] = std::min(boxMin[a], p[a]);
            boxMax[a] = std::max(boxMax[a], p[a]);
            sum[a] += p[a];
        }
    for (int a = 0; a < 3; ++a)
        sphereCentre[a] = static_cast<float>(sum[a] / static_cast<double>(positions.size()));
    float radiusSquared = 0.0f;
    for (const Float3& p : positions)
    {
        const float dx = p[0] - sphereCentre[0], dy = p[1] - sphereCentre[1], dz = p[2] - sphereCentre[2];
        radiusSquared = std::max(radiusSquared, dx * dx + dy * dy + dz * dz);
    }
    sphereRadius = std::sqrt(radiusSquared);
}

int LoadMeshX(const std::string& path, MeshData& out, std::string* error)
{
    out.Clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(error, "cannot open " + path, kErrRead);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return Fail(error, "cannot read " + path, kErrRead);
    // The game's meshes are text .x files; the binary and compressed forms are not taken.
    if (text.size() < 16 || text.compare(0, 4, "xof ") != 0 || text.compare(8, 4, "txt ") != 0)
        return Fail(error, path + " is not a text .x mesh", kErrImport);
    const std::vector<std::string> tokens = ImporterTokens(text);
    if (!CountsFitTheFile(tokens, text.size()))
        return Fail(error, path + " has a count larger than the file", kErrImport);
    if (!MaterialListsHoldMaterials(tokens))
        return Fail(error, path + " has a material list without materials", kErrImport);
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(text.data(), text.size(), kImportFlags, "x");
    if (!scene || !scene->mRootNode)
        return Fail(error, "loading " + path + " failed. Msg=" + importer.GetErrorString(), kErrImport);

    for (unsigned i = 0; i < scene->mNumMaterials; ++i)
        out.materials.push_back(ConvertMaterial(scene->mMaterials[i]));

    std::vector<std::pair<unsigned, aiMatrix4x4>> placed;
    CollectNode(scene, scene->mRootNode, aiMatrix4x4(), placed);
    // Subsets follow material order, like attribute ids of the original loader.
    std::stable_sort(
        placed.begin(), placed.end(),
        [scene](const auto& a, const auto& b)
        { return scene->mMeshes[a.first]->mMaterialIndex < scene->mMeshes[b.first]->mMaterialIndex; });
    for (const auto& [meshIndex, transform] : placed)
    {
        const aiMesh* mesh = scene->mMeshes[meshIndex];
        MeshSubset subset;
        subset.material = mesh->mMaterialIndex;
        subset.vertexStart = static_cast<uint32_t>(out.positions.size());
        subset.indexStart = static_cast<uint32_t>(out.indices.size());
        AppendMesh(mesh, transform, out);
        subset.vertexCount = static_cast<uint32_t>(out.positions.size()) - subset.vertexStart;
        subset.indexCount = static_cast<uint32_t>(out.indices.size()) - subset.indexStart;
        if (!out.subsets.empty() && out.subsets.back().material == subset.material &&
            out.subsets.back().indexStart + out.subsets.back().indexCount == subset.indexStart)
        {
            out.subsets.back().indexCount += subset.indexCount;
            out.subsets.back().vertexCount += subset.vertexCount;
        }
        else if (subset.indexCount > 0)
        {
            out.subsets.push_back(subset);
        }
    }
    if (out.positions.empty())
        return Fail(error, path + " holds no mesh", kErrEmpty);
    out.ComputeBounds();
    return 0;
}

} // namespace gfx
