// The .x mesh loader the world's meshes come through: a mesh that loads has indices inside its
// vertex arrays and subsets inside its index list.
#include "platform/mesh/MeshData.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::ScratchFolder() + "fuzz.x";
    fuzz::WriteBytes(path, data, size);
    gfx::MeshData mesh;
    std::string error;
    if (gfx::LoadMeshX(path, mesh, &error) != 0)
        return 0;
    const size_t vertices = mesh.positions.size();
    for (uint32_t index : mesh.indices)
        fuzz::Check(index < vertices, "an index past the vertices");
    fuzz::Check(mesh.normals.size() == vertices, "normals and positions differ in number");
    fuzz::Check(mesh.texCoords.size() == vertices, "uvs and positions differ in number");
    for (const gfx::MeshSubset& subset : mesh.subsets)
    {
        fuzz::Check(uint64_t{subset.indexStart} + subset.indexCount <= mesh.indices.size(), "a subset past the indices");
        fuzz::Check(uint64_t{subset.vertexStart} + subset.vertexCount <= vertices, "a subset past the vertices");
        fuzz::Check(subset.material < mesh.materials.size() || mesh.materials.empty(), "a subset without material");
    }
    return 0;
}
