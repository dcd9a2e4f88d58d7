#include "params/inhibitorchoices.h"

#include "engine/numtext.h"

#include <cmath>
#include <tuple>

namespace enkin {

namespace {

bool positive(const RunInputs &inputs, RunInput input)
{
    return inputs.number(input) > 0;
}

void ensurePositive(RunInputs &inputs, RunInput input)
{
    if (!positive(inputs, input))
        inputs.set(input, "1");
}

std::optional<double> ratio(const RunInputs &inputs, RunInput release, RunInput binding)
{
    const double k = inputs.number(release) / inputs.number(binding) / 100;
    if (!std::isfinite(k) || k <= 0)
        return std::nullopt;
    return k;
}

} // namespace

InhibitorType inhibitorType(const RunInputs &inputs)
{
    const bool e = positive(inputs, RunInput::kk4), es = positive(inputs, RunInput::kk6);
    if (e && es)
        return InhibitorType::Mixed;
    return es ? InhibitorType::Uncompetitive : InhibitorType::Competitive;
}

void setInhibitorType(RunInputs &inputs, InhibitorType type)
{
    const bool e = type != InhibitorType::Uncompetitive, es = type != InhibitorType::Competitive;
    for (const auto &[binds, binding, release] :
         {std::tuple{e, RunInput::kk4, RunInput::kk5}, {es, RunInput::kk6, RunInput::kk7}}) {
        if (!binds) {
            inputs.set(binding, "0");
            continue;
        }
        ensurePositive(inputs, binding);
        ensurePositive(inputs, release);
    }
}

InhibitionConstants inhibitionConstants(const RunInputs &inputs)
{
    const InhibitorType type = inhibitorType(inputs);
    InhibitionConstants k;
    if (type != InhibitorType::Uncompetitive)
        k.ki = ratio(inputs, RunInput::kk5, RunInput::kk4);
    if (type != InhibitorType::Competitive)
        k.alphaKi = ratio(inputs, RunInput::kk7, RunInput::kk6);
    return k;
}

std::optional<double> i0ListConstant(const RunInputs &inputs)
{
    const InhibitionConstants k = inhibitionConstants(inputs);
    return inhibitorType(inputs) == InhibitorType::Uncompetitive ? k.alphaKi : k.ki;
}

std::optional<std::string> i0RowText(const RunInputs &inputs, int row)
{
    if (row < 0 || row >= int(kI0Multiples.size()))
        return std::nullopt;
    if (row == 0)
        return std::string("0");
    const std::optional<double> k = i0ListConstant(inputs);
    if (!k)
        return std::nullopt;
    return formatGeneral(kI0Multiples[std::size_t(row)] * *k);
}

} // namespace enkin
