// render.js LABEL.zpl PICTURE.png [LABEL.zpl PICTURE.png ...]
//
// Renders each ZPL label as a 4 x 6 inch label at 8 dots a millimetre (203
// dpi), one dot a pixel, with zpl-renderer-js; one Node process for all of
// them, as loading the WebAssembly takes most of the time.
"use strict";
const fs = require("fs");
const { ready } = require("zpl-renderer-js");

const kWidthMm = 101.6;
const kHeightMm = 152.4;
const kDotsPerMm = 8;

async function main(args) {
  if (args.length === 0 || args.length % 2 !== 0) {
    console.error("usage: node render.js LABEL.zpl PICTURE.png [...]");
    return 64;
  }
  const { api } = await ready;
  for (let i = 0; i < args.length; i += 2) {
    // Bytes as they would reach the printer: Latin-1, one byte a character.
    const zpl = fs.readFileSync(args[i], "latin1");
    const png = await api.zplToBase64Async(zpl, kWidthMm, kHeightMm, kDotsPerMm);
    fs.writeFileSync(args[i + 1], Buffer.from(png, "base64"));
  }
  return 0;
}

main(process.argv.slice(2)).then(
  (status) => process.exit(status),
  (error) => {
    console.error("render.js: " + (error && error.message ? error.message : error));
    process.exit(1);
  });
