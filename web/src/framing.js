// Where the camera starts. An object seen from outside is framed whole from the front; a closed
// shell whose polygons face inwards (a room, an atrium, an interior scene) is what a person looks
// at from within, so the camera starts inside it. And a way through: OrbitControls zooms only
// towards its target, so stepping forward carries the target along.
import * as THREE from 'three';

// The directions from the centre to the corners, edges and faces of a cube.
const Directions = [];
for (const x of [-1, 0, 1])
  for (const y of [-1, 0, 1])
    for (const z of [-1, 0, 1])
      if (x || y || z) Directions.push(new THREE.Vector3(x, y, z).normalize());

// Whether most rays from the centre meet a polygon, and nearly every polygon met faces back at
// the centre. An atrium open to the sky still counts; a solid's back faces, or a torus's inner
// ring met by few rays, do not.
export function seenFromWithin(mesh, centre) {
  const raycaster = new THREE.Raycaster();
  let met = 0, facingIn = 0;
  for (const direction of Directions) {
    raycaster.set(centre, direction);
    const hit = raycaster.intersectObject(mesh)[0];
    if (!hit) continue;
    ++met;
    const normal = hit.face.normal.clone().transformDirection(mesh.matrixWorld);
    if (normal.dot(direction) < 0) ++facingIn;
  }
  return met >= 0.6 * Directions.length && facingIn >= 0.9 * met;
}

// Moves the camera and its target `step` along the line of sight (backwards when negative).
export function stepForward(camera, controls, step) {
  const ahead = new THREE.Vector3().subVectors(controls.target, camera.position).normalize();
  camera.position.addScaledVector(ahead, step);
  controls.target.addScaledVector(ahead, step);
  controls.update();
}
