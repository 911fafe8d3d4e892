// The host's dialog toolkit: handles and the 29 functions its main executable exports by name.
//
// The plug-in is not linked against these; it looks each one up by name (dialog/). Every
// function takes 32-bit arguments only and returns a 32-bit value, used or not.
#pragma once

#include <cstdint>

#include "host/abi.h"
#include "host/control_bounds.h"

// Opaque host handles: the plug-in never looks inside them.
using DialogRef = std::uint32_t;
using ControlRef = std::uint32_t;

// Called by the host when the user operates a control; the result is ignored by the host.
using HitFunction = std::int32_t(ZU_ABI*)(ControlRef control);

// Text buffers are the caller's. Where a length cell is passed, it holds the buffer's capacity
// before the call and whatever length the host chooses to leave there after it.
using CountListItemsFn = std::int32_t(ZU_ABI*)(ControlRef list);
using FindControlByIDFn = ControlRef(ZU_ABI*)(DialogRef dialog, std::int32_t id);
using GetControlBoundsFn = std::int32_t(ZU_ABI*)(ControlRef control, ControlBounds* bounds);
using GetControlIDFn = std::int32_t(ZU_ABI*)(ControlRef control);
using GetControlValueFn = std::int32_t(ZU_ABI*)(ControlRef control);
using GetEditTextStringFn = std::int32_t(ZU_ABI*)(ControlRef control, char* text, std::int32_t* length);
using GetListSelectedItemFn = std::int32_t(ZU_ABI*)(ControlRef list);  // negative: no row selected
using GetListStringFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row, char* text, std::int32_t* length);
using IsListItemSelectedFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row);
using RemoveListItemFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row);
using SelectListItemFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row, std::int32_t select);
using SetControlBoundsFn = std::int32_t(ZU_ABI*)(ControlRef control, const ControlBounds* bounds);
using SetControlDrawImmediateFn = std::int32_t(ZU_ABI*)(ControlRef control, std::int32_t on);
using SetControlEnableFn = std::int32_t(ZU_ABI*)(ControlRef control, std::int32_t enable);
using SetControlHitFunctionFn = std::int32_t(ZU_ABI*)(ControlRef control, HitFunction hit);
using SetControlValueFn = std::int32_t(ZU_ABI*)(ControlRef control, std::int32_t value);
using SetControlVisibleFn = std::int32_t(ZU_ABI*)(ControlRef control, std::int32_t visible);
using SetEditTextStringFn = std::int32_t(ZU_ABI*)(ControlRef control, const char* text);
using SetListFlagsFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t flags);
using DestroyDialogFn = std::int32_t(ZU_ABI*)(DialogRef dialog);
using ExecuteDialogFn = std::int32_t(ZU_ABI*)(DialogRef dialog);  // non-zero: confirmed
// resourceCell holds the host's resource value from the interface record; 0 when nothing was made.
using MakeDialogFn = DialogRef(ZU_ABI*)(std::uint32_t* resourceCell, std::int32_t resourceId);
using SetDialogTitleFn = std::int32_t(ZU_ABI*)(DialogRef dialog, const char* title);
using OffsetRectFn = std::int32_t(ZU_ABI*)(ControlBounds* bounds, std::int32_t dx, std::int32_t dy);
using GetListItemFlagsFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row);
using InsertListItemExFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row, const char* text,
                                                 std::int32_t itemId, std::int32_t rowFlags, std::int32_t reserved1,
                                                 std::int32_t reserved2);
using GetListItemIDFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row);
using ScrollList2ItemFn = std::int32_t(ZU_ABI*)(ControlRef list, std::int32_t row);
// The low 16 bits of the result are the chosen item, counted from 1; 0 when nothing was chosen.
using PopupMenuTrackFn = std::int32_t(ZU_ABI*)(DialogRef dialog, std::int32_t menuId, std::int32_t reserved1,
                                               std::int32_t reserved2, std::int32_t* x, std::int32_t* y);
