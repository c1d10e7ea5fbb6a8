// The measuring call in assembly: the compiler's own calls cannot show a wrong stack pointer,
// because a frame pointer or a re-adjustment after the call hides it.
#include "StackCheck.h"

#if defined(__i386__)

#include <vector>

// std::int32_t abitest_CallPushed(const void* fn, const std::uint32_t* words, std::int32_t count,
//                                 std::uint32_t* eax): pushes words[count-1] .. words[0], calls fn,
// stores EAX and answers ESP after the call minus ESP before the pushes.
asm(R"(
    .text
    .globl _abitest_CallPushed
_abitest_CallPushed:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %ebx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl 20(%ebp), %ecx
    movl %eax, (%ecx)
    movl %esp, %eax
    subl %ebx, %eax
    movl %ebx, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

extern "C" std::int32_t abitest_CallPushed(const void* fn, const std::uint32_t* words, std::int32_t count,
                                           std::uint32_t* eax);

namespace abitest {

PushedCall CallPushed(const void* fn, std::initializer_list<std::uint32_t> words) {
    const std::vector<std::uint32_t> w(words);
    PushedCall r{};
    r.stackChange = abitest_CallPushed(fn, w.data(), static_cast<std::int32_t>(w.size()), &r.eax);
    return r;
}

} // namespace abitest

#endif
