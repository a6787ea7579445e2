// Writes a C++ source file that defines a byte array holding the contents of a file, so that
// assets the framework carries (font, logo, start-up sound) are built into the program from files
// our own tools make or Debian installs, with nothing binary committed.
// Usage: embed_file <input> <output.cpp> <namespace> <name>
// Defines: extern const unsigned char <name>[]; extern const std::size_t <name>Size;

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 5)
    {
        std::fprintf(stderr, "usage: embed_file <input> <output.cpp> <namespace> <name>\n");
        return 2;
    }
    std::ifstream input(arguments[1], std::ios::binary);
    if (!input)
    {
        std::fprintf(stderr, "embed_file: cannot read %s\n", arguments[1]);
        return 1;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(input), {}};

    std::FILE* output = std::fopen(arguments[2], "w");
    if (output == nullptr)
    {
        std::fprintf(stderr, "embed_file: cannot write %s\n", arguments[2]);
        return 1;
    }
    std::fprintf(output, "#include <cstddef>\nnamespace %s\n{\nextern const unsigned char %s[];\n", arguments[3],
                 arguments[4]);
    std::fprintf(output, "extern const std::size_t %sSize;\nalignas(16) const unsigned char %s[] = {", arguments[4],
                 arguments[4]);
    for (std::size_t index = 0; index < bytes.size(); ++index)
    {
        std::fprintf(output, "%s%u,", index % 24 == 0 ? "\n" : "", bytes[index]);
    }
    // One zero after the data keeps the array non-empty and text assets zero-terminated.
    std::fprintf(output, "0};\nconst std::size_t %sSize = %zu;\n}\n", arguments[4], bytes.size());
    return std::fclose(output) == 0 ? 0 : 1;
}
