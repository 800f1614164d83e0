// Bundles the page (its code and three.js, from node_modules) into one script with esbuild and
// writes the C++ source that builds the page's files into the program:
//   node build.mjs OUTPUT.cpp
import { build } from 'esbuild';
import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const output = process.argv[2];
if (!output) {
  console.error('usage: node build.mjs OUTPUT.cpp');
  process.exit(2);
}

const bundle = await build({
  entryPoints: [join(here, 'src/main.js')],
  bundle: true,
  minify: true,
  format: 'esm',
  target: 'es2022',
  legalComments: 'inline',
  write: false,
});

const assets = [
  { path: '/', type: 'text/html; charset=utf-8', text: readFileSync(join(here, 'src/index.html'), 'utf8') },
  { path: '/view.css', type: 'text/css; charset=utf-8', text: readFileSync(join(here, 'src/view.css'), 'utf8') },
  { path: '/view.js', type: 'text/javascript; charset=utf-8', text: bundle.outputFiles[0].text },
];

// Raw string literals in pieces well below what a compiler takes in one literal, each under a
// delimiter that the text does not contain.
function literal(text) {
  let delimiter = 'asset';
  while (text.includes(`)${delimiter}"`)) delimiter += '_';
  const pieces = [];
  for (let at = 0; at < text.length; at += 16000) pieces.push(text.slice(at, at + 16000));
  if (pieces.length === 0) pieces.push('');
  return pieces.map((piece) => `R"${delimiter}(${piece})${delimiter}"`).join('\n    ');
}

const source = `// Written by web/build.mjs from the page's sources: do not edit.
#include "tools/view/view_assets.h"

namespace {
${assets.map((asset, i) => `constexpr char Asset${i}[] =\n    ${literal(asset.text)};`).join('\n')}
constexpr ViewAsset Assets[] = {
${assets.map((asset, i) => `    {"${asset.path}", "${asset.type}", {Asset${i}, sizeof Asset${i} - 1}},`).join('\n')}
};
}  // namespace

std::span<const ViewAsset> ViewAssets() {
    return Assets;
}
`;
mkdirSync(dirname(output), { recursive: true });
writeFileSync(output, source);
