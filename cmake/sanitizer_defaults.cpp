// Runtime options of the sanitized builds; the runtimes look these up by name.

extern "C" {

const char* __asan_default_options()
{
    return "halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:"
           "strict_string_checks=1:check_initialization_order=1:print_summary=1";
}

const char* __lsan_default_options()
{
    return "suppressions=" PRIZMORA_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}

} // extern "C"
