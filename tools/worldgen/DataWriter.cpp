// File output of the world generator.
#include "tools/worldgen/DataWriter.h"

#include "platform/image/Image.h"

namespace worldgen
{

bool DataWriter::SaveTexture(const std::string& name, const art::Canvas& canvas)
{
    std::string error;
    if (plk::SaveImageFile(PathOf(name), canvas.ToImage(), &error) != 0)
    {
        m_errors.push_back(name + ": " + error);
        return false;
    }
    m_textures.push_back(name);
    return true;
}

bool DataWriter::SaveMesh(const std::string& name, const art::MeshBuilder& mesh, const std::string& frameName)
{
    std::string error;
    if (mesh.WriteX(PathOf(name), frameName, &error) != 0)
    {
        m_errors.push_back(name + ": " + error);
        return false;
    }
    m_meshes.push_back(name);
    return true;
}

} // namespace worldgen
