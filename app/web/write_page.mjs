// Writes the page, one file that holds everything the first letter needs: the template with the
// form's HTML that MARKUP prints, the style, the scripts (minified by MINIFIER, terser) and the
// core, its loader and its WebAssembly in Base64, in place of their marks.
//     node write_page.mjs MARKUP MINIFIER TEMPLATE STYLE PAGE_INPUT PAGE_CORE CORE_JS CORE_WASM PAGE
import { execFileSync } from "node:child_process";
import fs from "node:fs";

const [markup, minifier, template, style, pageInput, pageCore, coreJs, coreWasm, page] =
  process.argv.slice(2);
const run = (...command) => execFileSync(process.execPath, command, { encoding: "utf8" }).trim();
const minified = (file) =>
  execFileSync(minifier, [file, "--compress", "--mangle"], { encoding: "utf8" }).trim();

const parts = {
  "@KARSOBEL_FORM@": run(markup),
  "@KARSOBEL_STYLE@": fs.readFileSync(style, "utf8").trim(),
  "@KARSOBEL_PAGE_INPUT@": minified(pageInput),
  "@KARSOBEL_CORE_BINARY@": fs.readFileSync(coreWasm).toString("base64"),
  "@KARSOBEL_CORE@": fs.readFileSync(coreJs, "utf8").trim() + "\n" + minified(pageCore),
};
let text = fs.readFileSync(template, "utf8");
for (const [mark, part] of Object.entries(parts)) {
  if (!text.includes(mark)) {
    throw new Error(`${template} has no ${mark}`);
  }
  text = text.replace(mark, () => part);
}
fs.writeFileSync(page, text);
