// The growable, ordered list of layers that the dialog edits and a render declares and fills.
#pragma once

#include <cstdint>

#include "layers/layer_record.h"

namespace zu {

struct LayerKindRow;

struct LayerList {
  std::int32_t count;       // records in use, the layers in list order
  std::int32_t capacity;    // records the item array can hold
  std::int32_t nextId;      // id of the next appended record; 1 in an empty list
  std::int32_t selectedId;  // layer shown in the dialog, -1 for none
  LayerRecord* items;       // host block owned by the list; none while the list is unloaded
  char* baseName;           // host copy owned by the list, or none
};

// The state of a list that has never been loaded.
constexpr LayerList EmptyLayerList() { return LayerList{0, 0, 1, -1, nullptr, nullptr}; }

// Replaces the base name with a host copy of text; returns the new one, none for none or on failure.
const char* SetBaseName(LayerList& list, const char* text);

// Releases every name, the item array and the base name; the list becomes unloaded.
// selectedId is kept.
void ClearLayerList(LayerList& list);

// Grows the item array to at least n records (16 at least); 0 clears the list.
// On failure the list keeps its array.
bool ReserveLayers(LayerList& list, std::int32_t n);

// Appends a record built from row (an empty record for none) with the next id; none when the
// array cannot grow, and the list is then unchanged.
LayerRecord* AppendLayer(LayerList& list, const LayerKindRow* row);

void RemoveLayerById(LayerList& list, std::int32_t id);
std::int32_t IndexOfLayerId(const LayerList& list, std::int32_t id);
LayerRecord* FindLayerById(LayerList& list, std::int32_t id);

// First record of the kind whose kLayerOff is clear, or none.
const LayerRecord* FindEnabledLayerOfKind(const LayerList& list, std::int32_t kind);

// Ids 1 to count in list order; returns the new nextId.
std::int32_t RenumberLayers(LayerList& list);

// Clears the list and builds the default list from kDefaultLayerKinds.
void BuildDefaultLayerList(LayerList& list);

}  // namespace zu
