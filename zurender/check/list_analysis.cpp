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

// The stack as the rules read it: the layers an editor shows, top first, and the few that the
// rules look for by kind.
struct Shown {
  const StackFacts& facts;
  std::vector<const Layer*> layers;  // top first
  const Layer* pack = nullptr;
  const Layer* lights = nullptr;
  const Layer* shadows = nullptr;
  const Layer* ambient = nullptr;
  bool packAmbient = false;  // the pack is lit, and its light holds the ambient light

  const Layer* Find(std::int32_t kind) const {
    for (const Layer* l : layers)
      if (l->entry->kind == kind) return l;
    return nullptr;
  }
};

using Sentences = std::vector<std::string>;

void CoveredByOpaqueLayer(const Shown& s, Sentences& out) {
  // Fog is the one normal layer that is not opaque.
  for (std::size_t i = 0; i + 1 < s.layers.size(); ++i) {
    const ListEntry& e = *s.layers[i]->entry;
    if (e.blendMode == kBlendNormal && e.kind != kFog) {
      out.push_back(Quoted(e) + " is an opaque normal layer: it covers the " + std::to_string(s.layers.size() - 1 - i) +
                    " shown layer(s) beneath it");
      return;
    }
  }
}

void DiffuseColourInNoLayer(const Shown& s, Sentences& out) {
  if (!s.pack) out.push_back("no \"Diffuse Pack\" is shown: the diffuse colour is in no layer");
}

void DirectLightOnce(const Shown& s, Sentences& out) {
  if (s.pack && !s.pack->packLights && !s.lights && !s.shadows)
    out.push_back("the direct light is in no layer: the pack is not lit and there is no \"Lights\" layer");
  if (s.pack && s.pack->packLights && s.lights)
    out.push_back("the light is counted twice: the pack is lit and " + Quoted(*s.lights->entry) + " multiplies it again");
}

void ShadowsOnce(const Shown& s, Sentences& out) {
  if (s.lights && s.lights->lightsWithShadows && s.shadows)
    out.push_back(Quoted(*s.lights->entry) + " already holds the shadows and " + Quoted(*s.shadows->entry) +
                  " multiplies them in again");
}

void AmbientLightOnceAsDTimesA(const Shown& s, Sentences& out) {
  if (!s.ambient && !s.packAmbient) {
    out.push_back(s.lights ? "the ambient light (D*A) is in no layer: with a \"Lights\" layer the pack is not lit, "
                             "and its ambient goes with its light; add \"Ambient/GI\""
                           : "the ambient light (D*A) is in no layer");
  }
  if (s.ambient && s.ambient->entry->option1 == 0)
    out.push_back(Quoted(*s.ambient->entry) + " with its option off holds the raw ambient light A, not D*A");
  if (s.pack && s.pack->packLights && !s.pack->packShadows && s.pack->packAmbient && s.shadows)
    out.push_back("the pack's ambient light is multiplied by the " + Quoted(*s.shadows->entry) +
                  " ratio (D*A*S/U instead of D*A)");
}

// The additive component a layer of this kind holds, or a pack's resolved ones.
std::uint32_t AdditivesOf(const Layer& l) {
  switch (l.entry->kind) {
    case kSpecular: return kAddSpecular;
    case kLuminance: return kAddLuminance;
    case kReflections: case kRtReflections: case kBitmapReflections: return kAddReflections;
    case kRtRefractions: return kAddRefractions;
    case kDiffusePack: case kAdditivesPack: return l.additives;
    default: return 0;
  }
}

void AdditiveComponentsOnce(const Shown& s, Sentences& out) {
  std::uint32_t carried = 0, twice = 0;
  for (const Layer* l : s.layers) {
    const std::uint32_t bits = AdditivesOf(*l);
    twice |= carried & bits;
    carried |= bits;
  }
  // The reflections kinds share one bit: say what they really hold.
  const bool reflections = s.Find(kReflections), rt = s.Find(kRtReflections), bitmap = s.Find(kBitmapReflections);
  if (reflections && (rt || bitmap)) {
    out.push_back("\"Reflections\" already holds the ray-traced and the bitmap reflections: with \"" +
                  std::string(rt ? "RT Reflections" : "Bitmap Reflections") + "\" they are counted twice");
    twice &= ~kAddReflections;
  } else if (rt && !bitmap) {
    out.push_back("\"RT Reflections\" without \"Bitmap Reflections\": the bitmap reflections are in no layer");
  } else if (bitmap && !rt) {
    out.push_back("\"Bitmap Reflections\" without \"RT Reflections\": the ray-traced reflections are in no layer");
  }
  if (const std::uint32_t missing = kAdditiveMask & ~carried) out.push_back("in no layer: " + AdditiveNames(missing));
  if (twice) out.push_back("counted twice: " + AdditiveNames(twice) + " (a pack carries what another layer holds)");
}

void NothingAddedBeneathAMultiply(const Shown& s, Sentences& out) {
  const std::vector<const Layer*>& shown = s.layers;
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
    // A Shadows ratio is 0 where no light arrives, and removes there whatever it multiplies.
    if (shown[i]->entry->kind == kShadows) {
      for (std::size_t j = i + 1; j < shown.size(); ++j)
        if (Additive(*shown[j]) || (shown[j]->entry->kind == kDiffusePack && (shown[j]->additives || s.packAmbient))) {
          out.push_back(Quoted(*shown[i]->entry) + " is 0 at unlit points and removes what lies beneath it there");
          break;
        }
    }
  }
}

void BlendModesThatPutThePartsTogether(const Shown& s, Sentences& out) {
  for (const Layer* l : s.layers) {
    const std::int32_t mode = l->entry->blendMode;
    if (Additive(*l) && mode != kBlendLinearDodge)
      out.push_back(Quoted(*l->entry) + " is blended as " + BlendModeName(mode) + ", not added (linear dodge)");
    else if ((l->entry->kind == kLights || l->entry->kind == kShadows) && mode != kBlendMultiply)
      out.push_back(Quoted(*l->entry) + " is blended as " + BlendModeName(mode) + ", not multiplied");
  }
}

void FogOnTop(const Shown& s, Sentences& out) {
  const Layer* fog = s.Find(kFog);
  if (s.facts.sceneHasFog && !fog) out.push_back("the scene's fog is in no layer: add \"Fog\" on top");
  if (fog && s.layers.front() != fog) out.push_back(Quoted(*fog->entry) + " is not on top: the layers above it are not fogged");
}

void LightsWithinIntegerRange(const Shown& s, Sentences& out) {
  if (s.facts.integerDepth && (s.lights || s.shadows))
    out.push_back("at 8 and 16 bits the light layers clip at 1: \"Lights\" where the light passes 1, \"Shadows\" "
                  "where coloured light pushes its ratio past 1");
}

// What a stack needs to rebuild the render, one rule each, in the order their sentences are said.
using Rule = void (*)(const Shown&, Sentences&);
constexpr Rule kRules[] = {
    CoveredByOpaqueLayer,               // nothing beneath an opaque layer shows
    DiffuseColourInNoLayer,             // the diffuse colour is the pack's
    DirectLightOnce,                    // the light in the pack or in Lights, never both nor neither
    ShadowsOnce,                        // the shadows in Lights or in Shadows, never both
    AmbientLightOnceAsDTimesA,          // the ambient light, times the diffuse colour, once
    AdditiveComponentsOnce,             // every additive component in one layer
    NothingAddedBeneathAMultiply,       // a multiply scales everything beneath it
    BlendModesThatPutThePartsTogether,  // passes added, light and its ratio multiplied
    FogOnTop,                           // fog covers the whole stack
    LightsWithinIntegerRange,           // integer files clip light past 1
};

}  // namespace

std::vector<std::string> StackObstacles(const std::vector<ListEntry>& list, const StackFacts& facts) {
  const std::vector<Layer> stack = Resolve(list);
  Shown shown{facts, {}};
  for (const Layer& l : stack)
    if (l.visible) shown.layers.push_back(&l);
  if (shown.layers.empty()) return {"no layer is shown: the stack is empty"};
  shown.pack = shown.Find(kDiffusePack);
  shown.lights = shown.Find(kLights);
  shown.shadows = shown.Find(kShadows);
  shown.ambient = shown.Find(kAmbientGI);
  shown.packAmbient = shown.pack && shown.pack->packLights && shown.pack->packAmbient;
  Sentences out;
  for (const Rule rule : kRules) rule(shown, out);
  return out;
}

}  // namespace zurender
