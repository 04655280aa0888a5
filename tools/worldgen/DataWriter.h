// Writes generated textures and meshes into the data folder and remembers the first failure.
#pragma once

#include "tools/artkit/Canvas.h"
#include "tools/artkit/MeshBuilder.h"

#include <string>
#include <vector>

namespace worldgen
{

class DataWriter
{
  public:
    explicit DataWriter(std::string dataDir) : m_dir(std::move(dataDir)) {}

    // .bmp names are written 24-bit (transparency there comes only from the colour key), .png with alpha.
    bool SaveTexture(const std::string& name, const art::Canvas& canvas);
    bool SaveMesh(const std::string& name, const art::MeshBuilder& mesh, const std::string& frameName);

    bool Ok() const { return m_errors.empty(); }
    const std::vector<std::string>& Errors() const { return m_errors; }
    const std::vector<std::string>& Textures() const { return m_textures; }
    const std::vector<std::string>& Meshes() const { return m_meshes; }
    std::string PathOf(const std::string& name) const { return m_dir + "/" + name; }

  private:
    std::string m_dir;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_textures;
    std::vector<std::string> m_meshes;
};

} // namespace worldgen
