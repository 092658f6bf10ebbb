// The monitor model: the casing (material 0, "Texture1.jpg") and the screen (material 1,
// "Screen.tga", two triangles over four vertices).
#pragma once

#include <vector>

#include "mesh.h"

namespace assetgen {

struct MonitorModel {
    Mesh mesh{2};
    std::vector<MaterialRecord> materials;
};

MonitorModel BuildMonitorModel();

}  // namespace assetgen
