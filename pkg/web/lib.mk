# One static library from a fixed list of C sources, compiled with emcc:
#   make -f lib.mk LIB=out.a SRCDIR=dir OBJDIR=dir SRCS="a.c b/c.c" FLAGS="..."
# Used by build_stack.sh in place of the libraries' own build systems, whose
# configure steps are slow under emscripten and probe for what a browser lacks.
OBJS := $(patsubst %.c,$(OBJDIR)/%.o,$(SRCS))

$(LIB): $(OBJS)
	@rm -f $@
	emar rcs $@ $^

$(OBJDIR)/%.o: $(SRCDIR)/%.c
	@mkdir -p $(dir $@)
	emcc $(FLAGS) -c $< -o $@
