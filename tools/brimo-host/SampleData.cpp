#include "SampleData.h"

#include <cstdio>

#if BRIMO_HAVE_SAMPLE_DATA
#include "sample/SampleDataSet.h"
#endif

namespace brimo::demo {

void writeSampleData(const QString& directory) {
#if BRIMO_HAVE_SAMPLE_DATA
    sample::writeSampleDataSet(directory.toStdString());
    std::printf("sample data written to %s\n", qPrintable(directory));
#else
    std::printf("no sample data in this build; %s stays empty\n", qPrintable(directory));
#endif
}

}  // namespace brimo::demo
