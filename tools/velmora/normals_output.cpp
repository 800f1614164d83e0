#include "tools/velmora/normals_output.h"

#include "host/formats/text_lines.h"

void WriteNormalsCsv(std::FILE *out, int objectIndex, const MeshData &mesh,
                     const NextCornerBlock &next, MeshFrame frame) {
    TextLines line(out);
    line.text("object,polygon,corner,point,nx,ny,nz").endLine();
    while (const CornerBlock *block = next()) {
        const CornerNormal *normals = block->normals.data();
        for (std::size_t p = block->firstPolygon; p < block->endPolygon; ++p) {
            const std::vector<int> &points = mesh.polygons[p].points;
            for (std::size_t i = 0; i < points.size(); ++i) {
                std::size_t c = CornerInFrame(frame, i, points.size());
                CornerNormal normal = InFrame(frame, normals[c]);
                line.integer(objectIndex).text(",").integer(static_cast<long long>(p)).text(",");
                line.integer(static_cast<long long>(i)).text(",").integer(points[c]);
                for (double component : {normal.x, normal.y, normal.z})
                    line.text(",").number(component, 17);
                line.endLine();
            }
            normals += points.size();
        }
    }
    line.flush();
}
