#include "app/orvaneapp.h"

int main(int argc, char** argv) {
    orvane::COrvaneApp app(argc, argv);
    return app.InitInstance();
}
