// Scenery meshes "Rock0.x" ... "Tree1.x" (ObjType order) and their textures; each centred on its bounding
// box, so that the level seats it on the terrain by a fraction of its height.
#pragma once

#include "tools/artkit/MeshBuilder.h"
#include "tools/worldgen/DataWriter.h"

#include <string>

namespace worldgen
{

const int kSceneryTypes = 15;

// Mesh file of an ObjType 0..14.
const char* SceneryFile(int objType);
void WriteScenery(DataWriter& out);

// Shared materials of the scenery generators (textures written by WriteScenery).
art::Material BarkMaterial();
art::Material LeafMaterial(const art::Colour& tint);
art::Material RockMaterial(const art::Colour& tint);
art::Material CactusMaterial();
art::Material FlatMaterial(const std::string& name, const art::Colour& colour, float gloss = 0.1f);

// The plant generators (Plants.cpp).
art::MeshBuilder MakeGrass();
art::MeshBuilder MakeShrub(int variant);
art::MeshBuilder MakeSpikes(int variant);
art::MeshBuilder MakePlant(int variant);
art::MeshBuilder MakeCactus(int variant);

} // namespace worldgen
