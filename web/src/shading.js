// The preview's shading in the browser: the host's light set-up (a key and a fill light that
// keep their place beside the camera, ambient light, matte, glossy or strip-light materials
// whose mirrored surroundings stay upright in the world), and the three other views of
// `render --compare`: the angle between the host's normal and the module's on the same colour
// scale, and the polygon sets over the host's shading.
import * as THREE from 'three';

export const Modes = { host: 0, velmora: 1, difference: 2, sets: 3 };
export const Materials = { matte: 0, glossy: 1, stripes: 2 };

const vertexShader = /* glsl */ `
attribute vec3 hostNormal;
attribute vec3 moduleNormal;
attribute vec3 setColour;
attribute float setIndex;
varying vec3 vHostView, vModuleView, vHostWorld, vModuleWorld, vSetColour, vToEyeView, vToEyeWorld;
varying float vSetIndex;
void main() {
  vec4 world = modelMatrix * vec4(position, 1.0);
  vec4 view = viewMatrix * world;
  vHostView = normalMatrix * hostNormal;
  vModuleView = normalMatrix * moduleNormal;
  vHostWorld = mat3(modelMatrix) * hostNormal;
  vModuleWorld = mat3(modelMatrix) * moduleNormal;
  vToEyeView = -view.xyz;
  vToEyeWorld = cameraPosition - world.xyz;
  vSetColour = setColour;
  vSetIndex = setIndex;
  gl_Position = projectionMatrix * view;
}`;

// The fragment shader for a difference scale of `colourCount` colours, evenly spaced from
// agreement to the scale's end: the object sends the scale, so the page holds no copy of its size.
const fragmentShader = (colourCount) => /* glsl */ `
uniform int mode;
uniform int material;
uniform float selectedSet;
uniform vec3 differenceColours[${colourCount}];
uniform float differenceScaleDegrees;
varying vec3 vHostView, vModuleView, vHostWorld, vModuleWorld, vSetColour, vToEyeView, vToEyeWorld;
varying float vSetIndex;

vec3 decode(vec3 c) {
  return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c));
}
vec3 encode(vec3 c) {
  c = clamp(c, 0.0, 1.0);
  return mix(12.92 * c, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}
float skyAndFloor(vec3 d) { return 0.04 + 0.9 * smoothstep(-0.05, 0.35, d.y); }
float stripLights(vec3 d) {
  float elevation = degrees(asin(clamp(d.y, -1.0, 1.0))) / 24.0;
  float phase = fract(elevation);
  return 0.03 + 0.95 * smoothstep(0.2, 0.3, phase) * (1.0 - smoothstep(0.7, 0.8, phase));
}

// Linear colour of a surface point: the camera looks down -z in view space.
vec3 shade(vec3 normalView, vec3 normalWorld) {
  vec3 n = normalize(normalView);
  vec3 toEye = normalize(vToEyeView);
  if (dot(n, toEye) < 0.0) { n = -n; normalWorld = -normalWorld; }
  vec3 toKey = normalize(vec3(-0.55, 0.65, 0.6));
  vec3 toFill = normalize(vec3(0.8, -0.1, 0.5));
  vec3 surface = vec3(0.78);
  float gloss = 0.25, shininess = 40.0;
  if (material == 1) { surface = vec3(0.08, 0.1, 0.16); gloss = 0.8; shininess = 300.0; }
  if (material == 2) { surface = vec3(0.05); gloss = 0.0; }
  float key = max(0.0, dot(n, toKey));
  float fill = max(0.0, dot(n, toFill));
  vec3 diffuse = vec3(0.07, 0.07, 0.08) + key * vec3(0.85, 0.82, 0.76) + fill * vec3(0.22, 0.25, 0.3);
  float highlight = key > 0.0 ? gloss * pow(max(0.0, dot(n, normalize(toKey + toEye))), shininess) : 0.0;
  vec3 colour = diffuse * surface + highlight * vec3(0.85, 0.82, 0.76);
  if (material == 0) return colour;
  vec3 nw = normalize(normalWorld);
  vec3 eyeWorld = normalize(vToEyeWorld);
  vec3 mirrored = 2.0 * dot(nw, eyeWorld) * nw - eyeWorld;
  float seen = material == 1 ? 0.35 * skyAndFloor(mirrored) : 0.85 * stripLights(mirrored);
  return colour + vec3(seen);
}

vec3 differenceColour(float angle) {
  const int steps = ${colourCount - 1};
  float t = clamp(angle / differenceScaleDegrees, 0.0, 1.0) * float(steps);
  int low = int(min(floor(t), float(steps - 1)));
  vec3 a = vec3(0.0), b = vec3(0.0);
  for (int i = 0; i < steps; ++i) if (i == low) { a = differenceColours[i]; b = differenceColours[i + 1]; }
  return mix(a, b, t - float(low));
}

void main() {
  vec3 encoded;
  if (mode == 2) {
    float cosine = dot(normalize(vHostWorld), normalize(vModuleWorld));
    encoded = differenceColour(degrees(acos(clamp(cosine, -1.0, 1.0))));
  } else if (mode == 3) {
    vec3 host = shade(vHostView, vHostWorld);
    float light = 0.35 + 0.9 * dot(host, vec3(0.2126, 0.7152, 0.0722));
    encoded = encode(light * decode(vSetColour));
  } else {
    encoded = mode == 0 ? encode(shade(vHostView, vHostWorld)) : encode(shade(vModuleView, vModuleWorld));
  }
  // The picked set is lit; in the set map every other set fades into the background, so that
  // the picked one stands out among sets of like colours.
  bool picked = selectedSet >= 0.0 && abs(vSetIndex - selectedSet) < 0.5;
  if (picked)
    encoded = mix(encoded, vec3(1.0, 0.78, 0.3), 0.18);
  else if (mode == 3 && selectedSet >= 0.0)
    encoded = mix(encoded, vec3(0.11, 0.11, 0.12), 0.6);
  gl_FragColor = vec4(encoded, 1.0);
}`;

export function makeMaterial(difference) {
  const colours = difference.colours.map(([r, g, b]) => new THREE.Vector3(r / 255, g / 255, b / 255));
  return new THREE.ShaderMaterial({
    vertexShader,
    fragmentShader: fragmentShader(colours.length),
    side: THREE.DoubleSide,
    uniforms: {
      mode: { value: Modes.velmora },
      material: { value: Materials.matte },
      selectedSet: { value: -1 },
      differenceColours: { value: colours },
      differenceScaleDegrees: { value: difference.scaleDegrees },
    },
  });
}
