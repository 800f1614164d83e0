#include "tools/velmora/normals_output.h"

#include "host/formats/text_lines.h"

void WriteNormalsCsv(std::FILE *out, int objectIndex, const MeshData &mesh,
                     const NextCornerBlock &next) {
    TextLines line(out);
    line.text("object,polygon,corner,point,nx,ny,nz").endLine();
    while (const CornerBlock *block = next()) {
        const CornerNormal *normal = block->normals.data();
        for (std::size_t p = block->firstPolygon; p < block->endPolygon; ++p) {
            const std::vector<int> &points = mesh.polygons[p].points;
            for (std::size_t c = 0; c < points.size(); ++c, ++normal) {
                line.integer(objectIndex).text(",").integer(static_cast<long long>(p)).text(",");
                line.integer(static_cast<long long>(c)).text(",").integer(points[c]);
                for (double component : {normal->x, normal->y, normal->z})
                    line.text(",").number(component, 17);
                line.endLine();
            }
        }
    }
    line.flush();
}
