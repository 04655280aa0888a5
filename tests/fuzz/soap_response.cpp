// The SOAP response and fault readers on any server reply; the first byte picks the operation the
// reply answers (the login or the score posting). A reply that reads fills every output.
#include "online/CLoginInfo.h"
#include "online/CScorePoster.h"
#include "online/CServiceConfig.h"
#include "online/CSoapEnvelope.h"
#include "tests/fuzz/FuzzSupport.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const CServiceConfig service;
    static const CSoapOperation operations[] = {CLoginInfo::LoginOperation(service),
                                                CScorePoster::AddScoreOperation(service)};
    const CSoapOperation& operation = operations[data[0] % 2];
    const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<CSoapValue> outputs(operation.outputs.size());
    XString error;
    if (CSoapEnvelope::ReadResponse(operation, body, outputs, error))
        fuzz::Check(outputs.size() == operation.outputs.size(), "a response lost outputs");
    else
        fuzz::Check(!error.IsEmpty(), "a refused response without a reason");
    for (const CSoapValue& value : outputs)
        value.ToAnsi();

    CSoapFault fault;
    if (!CSoapEnvelope::ReadFault(body, fault, error))
        fuzz::Check(fault.code.IsEmpty() && fault.string.IsEmpty(), "a refused fault filled in");
    return 0;
}
