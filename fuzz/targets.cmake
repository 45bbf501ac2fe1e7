# One line per fuzz target: kv_fuzz_target(<name> <libraries it reads through>)
