// The object as triangles for the graphics card. Each polygon becomes a fan of triangles over
// its corners; every triangle vertex is one polygon corner and carries that corner's two
// normals, so that a change answered per corner finds its vertices through `cornerVertices`.
import * as THREE from 'three';

export function buildMesh(object) {
  const starts = object.polygonStarts;
  const polygonCount = starts.length - 1;
  let triangleCount = 0;
  for (let p = 0; p < polygonCount; ++p) triangleCount += Math.max(0, starts[p + 1] - starts[p] - 2);

  const vertexCount = 3 * triangleCount;
  const position = new Float32Array(3 * vertexCount);
  const hostNormal = new Float32Array(3 * vertexCount);
  const moduleNormal = new Float32Array(3 * vertexCount);
  const setColour = new Float32Array(3 * vertexCount);
  const setIndex = new Float32Array(vertexCount);
  const trianglePolygon = new Int32Array(triangleCount);
  const vertexCorner = new Int32Array(vertexCount);

  const colours = object.sets.map((set) => set.colour);
  let vertex = 0;
  let triangle = 0;
  for (let p = 0; p < polygonCount; ++p) {
    const first = starts[p];
    const set = object.polygonSet[p];
    const colour = set >= 0 ? colours[set] : object.noSetColour;
    for (let c = first + 1; c + 1 < starts[p + 1]; ++c) {
      trianglePolygon[triangle++] = p;
      for (const corner of [first, c, c + 1]) {
        const point = object.corners[corner];
        for (let k = 0; k < 3; ++k) {
          position[3 * vertex + k] = object.points[3 * point + k];
          hostNormal[3 * vertex + k] = object.hostNormals[3 * corner + k];
          moduleNormal[3 * vertex + k] = object.moduleNormals[3 * corner + k];
          setColour[3 * vertex + k] = colour[k] / 255;
        }
        setIndex[vertex] = set;
        vertexCorner[vertex] = corner;
        ++vertex;
      }
    }
  }

  const geometry = new THREE.BufferGeometry();
  geometry.setAttribute('position', new THREE.BufferAttribute(position, 3));
  geometry.setAttribute('hostNormal', new THREE.BufferAttribute(hostNormal, 3));
  geometry.setAttribute('moduleNormal', new THREE.BufferAttribute(moduleNormal, 3));
  geometry.setAttribute('setColour', new THREE.BufferAttribute(setColour, 3));
  geometry.setAttribute('setIndex', new THREE.BufferAttribute(setIndex, 1));
  geometry.computeBoundingSphere();
  return { geometry, trianglePolygon, cornerVertices: invert(vertexCorner, object.corners.length) };
}

// For each corner, the vertices that stand for it: offsets and a flat list.
function invert(vertexCorner, cornerCount) {
  const first = new Int32Array(cornerCount + 1);
  for (const corner of vertexCorner) ++first[corner + 1];
  for (let c = 0; c < cornerCount; ++c) first[c + 1] += first[c];
  const fill = first.slice(0, cornerCount);
  const vertices = new Int32Array(vertexCorner.length);
  vertexCorner.forEach((corner, vertex) => { vertices[fill[corner]++] = vertex; });
  return { first, vertices };
}

// Writes the module's new normals at the corners an edit answered.
export function updateModuleNormals(geometry, cornerVertices, corners, normals) {
  const attribute = geometry.getAttribute('moduleNormal');
  const { first, vertices } = cornerVertices;
  corners.forEach((corner, i) => {
    for (let v = first[corner]; v < first[corner + 1]; ++v)
      attribute.setXYZ(vertices[v], normals[3 * i], normals[3 * i + 1], normals[3 * i + 2]);
  });
  attribute.needsUpdate = true;
}
