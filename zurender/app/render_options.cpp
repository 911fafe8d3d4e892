#include "zurender/app/render_options.h"

#include <charconv>

#include "zurender/output/psd_format.h"

namespace zurender {
namespace {

// The layered file's own limit on either side; the EXR and PNG writers take anything up to it.
constexpr int kMaxSide = kPsdMaxSide;
constexpr int kMaxThreads = 64;

bool ParseInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end && !text.empty();
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  return ParseInt(text.substr(0, x), width) && ParseInt(text.substr(x + 1), height) && width >= 1 &&
         height >= 1 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

ParsedRenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
  ParsedRenderOptions parsed;
  RenderOptions& o = parsed.options;
  auto fail = [&parsed](std::string message) {
    parsed.error = std::move(message);
    return parsed;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // Options with a value take it from the next argument or after '='.
    std::string name = arg, value;
    bool hasValue = false;
    if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
      name = arg.substr(0, arg.find('='));
      value = arg.substr(arg.find('=') + 1);
      hasValue = true;
    }
    auto take = [&](std::string& out) {
      if (hasValue) {
        out = value;
        return true;
      }
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (name == "-h" || name == "--help") {
      o.help = true;
    } else if (name == "-o" || name == "--out") {
      if (!take(o.outDir) || o.outDir.empty()) return fail(name + ": expected an output folder");
    } else if (name == "--size") {
      std::string text;
      if (!take(text) || !ParseSize(text, o.width, o.height))
        return fail("--size: expected WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) + ", such as 640x480" +
                    (text.empty() ? std::string() : "; got \"" + text + "\""));
    } else if (name == "--depth") {
      std::string text;
      if (!take(text) || !ParseInt(text, o.depth) || (o.depth != 8 && o.depth != 16 && o.depth != 32))
        return fail("--depth: expected 8, 16 or 32" + (text.empty() ? std::string() : "; got \"" + text + "\""));
    } else if (name == "--exr-half" && !hasValue) {
      o.exrHalf = true;
    } else if (name == "--plugin") {
      if (!take(o.pluginPath) || o.pluginPath.empty()) return fail("--plugin: expected the plug-in library's path");
    } else if (name == "--settings") {
      if (!take(o.settingsPath) || o.settingsPath.empty()) return fail("--settings: expected a settings file");
    } else if (name == "--layers") {
      if (!take(o.preset) || o.preset.empty()) return fail("--layers: expected a preset: default, road, exact or all");
    } else if (name == "--record-shading" || name == "--replay-shading" || name == "--plugin-writes") {
      std::string& path = name == "--record-shading" ? o.recordShading
                          : name == "--replay-shading" ? o.replayShading
                                                       : o.pluginWrites;
      if (!take(path) || path.empty()) return fail(name + ": expected a file");
    } else if (name == "--threads") {
      std::string text;
      if (!take(text) || !ParseInt(text, o.threads) || o.threads < 1 || o.threads > kMaxThreads)
        return fail("--threads: expected a number from 1 to " + std::to_string(kMaxThreads));
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return fail(arg + ": unknown option (see zurender --help)");
    } else if (o.scenePath.empty()) {
      o.scenePath = arg;
    } else {
      return fail("\"" + arg + "\": only one scene can be rendered at a time");
    }
  }
  if (!o.settingsPath.empty() && !o.preset.empty())
    return fail("--settings and --layers both say which layers to make: give one of them");
  if (!o.replayShading.empty() && (!o.scenePath.empty() || !o.recordShading.empty()))
    return fail("--replay-shading takes the place of tracing a scene: give no scene and no --record-shading");
  return parsed;
}

std::string RenderUsage() {
  return R"(usage: zurender [SCENE] [options]
       zurender layers FILE COMMAND ...   edit a settings file through the Layers dialog
       zurender check DIR                 check that the layers in DIR rebuild the render
       zurender studio [SCENE]            the Layers dialog and renders on a local web page

Renders a scene through the ZU Layers plug-in, exactly as the rendering host drives it, and writes
the layers it declares into a folder an artist opens.

  SCENE              a scene file in JSON (docs/scene-format.md); without one, the built-in scene

options:
  -o, --out DIR      output folder, made if missing (default: out)
  --size WxH         image size in pixels (default: 640x480)
  --depth 8|16|32    bits per channel of render.psd (default: 16); image editors that read
                     only integer layers open 8 and 16 bits (docs/layers.md says which)
  --exr-half         render.exr's layers in 16-bit half floats: half the size, but lossy
                     (about three decimal digits; values past 65504 become infinite)
  --settings FILE    the plug-in's settings: a file made by `zurender layers FILE ...`
  --layers PRESET    the layers of a preset, made through the Layers dialog: default, road
                     (Diffuse Pack, Lights, Specular), exact (rebuilds the render), all
  --plugin LIB       the plug-in library (default: ZU_Layers beside this program)
  --threads N        tracing threads (default: one per core)
  -h, --help         this text

For comparing two builds of the plug-in (for example the .so and the .shl) on the same inputs:
  --record-shading FILE   keep every answer the host gives the plug-in (components, lights,
                          contexts) in FILE
  --replay-shading FILE   give the plug-in the answers kept in FILE instead of tracing a scene
  --plugin-writes FILE    keep every value the plug-in writes, per layer and pixel, in FILE

Written into DIR, each file complete or not at all:
  render.psd           one layer per declared layer, first declared on top, with its blend mode;
                       linear values with an embedded linear-light profile; merged image = Final
  render.exr           every layer as 32-bit float channels <layer>.R/G/B/A (ZIP, lossless),
                       colour premultiplied by alpha, blend keys as attributes; its R/G/B/A
                       are the Final Render
  layers/NN-<name>.png 8-bit sRGB previews of each layer
  contact-sheet.png    every layer in a labelled grid
  manifest.json        scene, settings, and per layer its name, kind, blend key, component, who
                       filled it and whether it is visible; timings

The time written into render.exr is the time of the render, or SOURCE_DATE_EPOCH when that is
set, so that the same render gives the same files.

Exit status: 0 when the render and every file were written and the files could be checked,
1 otherwise.
)";
}

}  // namespace zurender
