#include "zurender/check/list_analysis.h"

#include <algorithm>

#include "host/blend_mode.h"
#include "host/layer_flags.h"
#include "host/layer_kind.h"
#include "zurender/settings/vocabulary.h"

namespace zurender {
namespace {

// A layer of the stack as the plug-in renders it, with its pack contents resolved.
struct Layer {
  const ListEntry* entry;
  std::uint32_t additives = 0;  // packs: the additive components they carry
  bool packLights = false, packShadows = false, packAmbient = false, lightsWithShadows = false;
  bool visible = true;          // the host hides the check layer and the mattes
};

std::string Quoted(const ListEntry& e) { return "\"" + e.name + "\""; }

std::string AdditiveNames(std::uint32_t bits) {
  std::string names;
  const std::pair<std::uint32_t, const char*> kNames[] = {
      {kAddSpecular, "specular"}, {kAddLuminance, "luminance"}, {kAddReflections, "reflections"},
      {kAddRefractions, "refractions"}};
  for (const auto& [bit, name] : kNames)
    if (bits & bit) names += (names.empty() ? "" : ", ") + std::string(name);
  return names;
}

// The plug-in's pack resolution, read from the list.
std::vector<Layer> Resolve(const std::vector<ListEntry>& list) {
  std::vector<const ListEntry*> on;
  for (const ListEntry& e : list)
    if (!(e.flags & kLayerOff)) on.push_back(&e);
  auto has = [&](std::int32_t kind) {
    return std::any_of(on.begin(), on.end(), [kind](const ListEntry* e) { return e->kind == kind; });
  };
  std::uint32_t unclaimed = kAdditiveMask;  // additive components without a layer of their own
  if (has(kSpecular)) unclaimed &= ~kAddSpecular;
  if (has(kLuminance)) unclaimed &= ~kAddLuminance;
  if (has(kReflections) || has(kRtReflections) || has(kBitmapReflections)) unclaimed &= ~kAddReflections;
  if (has(kRtRefractions)) unclaimed &= ~kAddRefractions;

  std::vector<Layer> stack;
  for (const ListEntry* e : on) {
    Layer layer{e};
    switch (e->kind) {
      case kAdditivesPack:
        layer.additives = e->option1 == 0 ? unclaimed : (e->flags & kAdditiveMask);
        if (layer.additives == 0) continue;  // the plug-in drops a pack left without components
        break;
      case kDiffusePack:
        if (e->option1 == 0) {
          layer.packLights = !has(kLights);
          layer.packShadows = !has(kShadows);
          layer.packAmbient = !has(kAmbientGI);
        } else if (e->option1 == 1) {
          layer.packLights = layer.packShadows = layer.packAmbient = true;
        }
        layer.additives = e->option2 == 0 ? unclaimed : (e->option2 == 1 ? kAdditiveMask : e->flags & kAdditiveMask);
        break;
      case kLights:
        layer.lightsWithShadows = e->option1 == 1 || (e->option1 == 0 && !has(kShadows));
        break;
      case kFinalRender: case kMaskOf: case kTransparency:
        layer.visible = false;
        break;
      default:
        break;
    }
    stack.push_back(layer);
  }
  return stack;
}

// Kinds whose value an editor adds on top of what lies beneath.
bool Additive(const Layer& l) {
  switch (l.entry->kind) {
    case kAmbientGI: case kAdditivesPack: case kSpecular: case kLuminance: case kReflections: case kRtReflections:
    case kBitmapReflections: case kRtRefractions:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<std::string> StackObstacles(const std::vector<ListEntry>& list, const StackFacts& facts) {
  const std::vector<Layer> stack = Resolve(list);
  std::vector<std::string> out;
  std::vector<const Layer*> shown;  // top first
  for (const Layer& l : stack)
    if (l.visible) shown.push_back(&l);
  auto find = [&](std::int32_t kind) -> const Layer* {
    for (const Layer* l : shown)
      if (l->entry->kind == kind) return l;
    return nullptr;
  };
  const Layer* pack = find(kDiffusePack);
  const Layer* lights = find(kLights);
  const Layer* shadows = find(kShadows);
  const Layer* ambient = find(kAmbientGI);

  if (shown.empty()) {
    out.push_back("no layer is shown: the stack is empty");
    return out;
  }

  // An opaque normal layer hides everything beneath it; fog is the one normal layer that is not opaque.
  for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
    const ListEntry& e = *shown[i]->entry;
    if (e.blendMode == kBlendNormal && e.kind != kFog) {
      out.push_back(Quoted(e) + " is an opaque normal layer: it covers the " + std::to_string(shown.size() - 1 - i) +
                    " shown layer(s) beneath it");
      break;
    }
  }
  if (!pack) out.push_back("no \"Diffuse Pack\" is shown: the diffuse colour is in no layer");
  if (pack && !pack->packLights && !lights && !shadows)
    out.push_back("the direct light is in no layer: the pack is not lit and there is no \"Lights\" layer");
  if (pack && pack->packLights && lights)
    out.push_back("the light is counted twice: the pack is lit and " + Quoted(*lights->entry) + " multiplies it again");
  if (lights && lights->lightsWithShadows && shadows)
    out.push_back(Quoted(*lights->entry) + " already holds the shadows and " + Quoted(*shadows->entry) +
                  " multiplies them in again");

  // Ambient light.
  const bool packAmbient = pack && pack->packLights && pack->packAmbient;
  if (!ambient && !packAmbient) {
    out.push_back(lights ? "the ambient light (D*A) is in no layer: with a \"Lights\" layer the pack is not lit, "
                           "and its ambient goes with its light; add \"Ambient/GI\""
                         : "the ambient light (D*A) is in no layer");
  }
  if (ambient && ambient->entry->option1 == 0)
    out.push_back(Quoted(*ambient->entry) + " with its option off holds the raw ambient light A, not D*A");
  if (pack && pack->packLights && !pack->packShadows && pack->packAmbient && shadows)
    out.push_back("the pack's ambient light is multiplied by the " + Quoted(*shadows->entry) +
                  " ratio (D*A*S/U instead of D*A)");

  // Additive components: in no layer, twice, or beneath a multiplying layer.
  std::uint32_t carried = 0, twice = 0;
  for (const Layer* l : shown) {
    std::uint32_t bits = 0;
    switch (l->entry->kind) {
      case kSpecular: bits = kAddSpecular; break;
      case kLuminance: bits = kAddLuminance; break;
      case kReflections: case kRtReflections: case kBitmapReflections: bits = kAddReflections; break;
      case kRtRefractions: bits = kAddRefractions; break;
      case kDiffusePack: case kAdditivesPack: bits = l->additives; break;
      default: break;
    }
    twice |= carried & bits;
    carried |= bits;
  }
  // Reflections kinds share one bit: say what they really hold.
  const bool reflections = find(kReflections), rt = find(kRtReflections), bitmap = find(kBitmapReflections);
  if (reflections && (rt || bitmap)) {
    out.push_back("\"Reflections\" already holds the ray-traced and the bitmap reflections: with \"" +
                  std::string(rt ? "RT Reflections" : "Bitmap Reflections") + "\" they are counted twice");
    twice &= ~kAddReflections;
  } else if (rt && !bitmap) {
    out.push_back("\"RT Reflections\" without \"Bitmap Reflections\": the bitmap reflections are in no layer");
  } else if (bitmap && !rt) {
    out.push_back("\"Bitmap Reflections\" without \"RT Reflections\": the ray-traced reflections are in no layer");
  }
  if (const std::uint32_t missing = kAdditiveMask & ~carried)
    out.push_back("in no layer: " + AdditiveNames(missing));
  if (twice) out.push_back("counted twice: " + AdditiveNames(twice) + " (a pack carries what another layer holds)");

  // What a multiplying layer does to the layers beneath it.
  std::vector<bool> multiplied(shown.size(), false);  // each layer named once, under the first multiply above it
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i]->entry->blendMode != kBlendMultiply) continue;
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const Layer& below = *shown[j];
      if (multiplied[j]) continue;
      multiplied[j] = Additive(below) || (below.entry->kind == kDiffusePack && below.additives);
      if (Additive(below))
        out.push_back(Quoted(*below.entry) + " lies beneath the multiply layer " + Quoted(*shown[i]->entry) +
                      ": it is multiplied too");
      else if (below.entry->kind == kDiffusePack && below.additives)
        out.push_back("the pack's added passes (" + AdditiveNames(below.additives) +
                      ") lie beneath the multiply layer " + Quoted(*shown[i]->entry) + ": they are multiplied too");
    }
    if (shown[i]->entry->kind == kShadows) {
      for (std::size_t j = i + 1; j < shown.size(); ++j)
        if (Additive(*shown[j]) || (shown[j]->entry->kind == kDiffusePack && (shown[j]->additives || packAmbient))) {
          out.push_back(Quoted(*shown[i]->entry) + " is 0 at unlit points and removes what lies beneath it there");
          break;
        }
    }
  }

  // Blend modes other than the ones that put the parts together.
  for (const Layer* l : shown) {
    const std::int32_t mode = l->entry->blendMode;
    if (Additive(*l) && mode != kBlendLinearDodge)
      out.push_back(Quoted(*l->entry) + " is blended as " + BlendModeName(mode) + ", not added (linear dodge)");
    else if ((l->entry->kind == kLights || l->entry->kind == kShadows) && mode != kBlendMultiply)
      out.push_back(Quoted(*l->entry) + " is blended as " + BlendModeName(mode) + ", not multiplied");
  }

  // Fog.
  const Layer* fog = find(kFog);
  if (facts.sceneHasFog && !fog) out.push_back("the scene's fog is in no layer: add \"Fog\" on top");
  if (fog && shown.front() != fog) out.push_back(Quoted(*fog->entry) + " is not on top: the layers above it are not fogged");

  if (facts.integerDepth && (lights || shadows))
    out.push_back("at 8 and 16 bits the light layers clip at 1: \"Lights\" where the light passes 1, \"Shadows\" "
                  "where coloured light pushes its ratio past 1");
  return out;
}

}  // namespace zurender
