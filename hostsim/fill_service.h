// The substitute host's fill service: answers component requests from a table, takes layer
// writes, logs both, and fails the calls a test chooses.
#pragma once

#include <cstdint>
#include <vector>

#include "host/abi.h"
#include "host/colour_value.h"
#include "host/fill_service.h"

namespace hostsim {

// The host's operation numbers, under the names the substitute host's users know them by.
constexpr std::int32_t kGetComponentOperation = kGetComponent;
constexpr std::int32_t kWriteLayerOperation = kWriteLayer;
constexpr std::int32_t kUnknownOperationCode = -1;  // answer to any other operation

struct FillCall {
  std::int32_t operation;
  std::int32_t argument;  // component number or host layer id
  ColourValue value;      // the component answered, or the value written
  std::int32_t result;
};

// The service handed to the plug-in in the FillLayersRecord.
std::int32_t ZU_ABI HostSimFillService(std::int32_t operation, std::int32_t argument, ColourValue* value);

// Empties the table (every component answers zeros), the log and the failures.
void ResetFillService();

// What a request for component answers from now on.
void SetComponent(std::int32_t component, ColourValue value);

// Makes the n-th call counted from the last reset (1 is the first) return code without
// answering or taking the value; 0 fails none.
void FailFillCallNumber(std::uint32_t n, std::int32_t code);

// Makes every call with this operation and argument return code, until the next reset.
void FailRequest(std::int32_t operation, std::int32_t argument, std::int32_t code);

// Every call since the last reset or log clear, in order.
const std::vector<FillCall>& FillCalls();
// Forgets the log, keeping table, failures and the call count.
void ClearFillLog();
// Calls since the last reset.
std::uint32_t FillCallCount();

}  // namespace hostsim
