#include <type_traits>

namespace brimo::demo {

template <class T>
T CallFrame::argument(std::size_t index) {
    if constexpr (std::is_same_v<T, BrmWindow>) {
        return window_;
    } else if constexpr (std::is_same_v<T, int32_t>) {
        return inputs_.value(static_cast<qsizetype>(index)).toInt();
    } else if constexpr (std::is_same_v<T, float>) {
        return inputs_.value(static_cast<qsizetype>(index)).toFloat();
    } else if constexpr (std::is_same_v<T, int16_t*>) {
        return &shorts_[index];
    } else {
        static_assert(std::is_same_v<T, char*> || std::is_same_v<T, const char*>);
        return buffers_[index].data();
    }
}

}  // namespace brimo::demo
