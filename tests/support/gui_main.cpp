int prizmoraGuiTestMain(int argc, char** argv);

int main(int argc, char** argv)
{
    return prizmoraGuiTestMain(argc, argv);
}
