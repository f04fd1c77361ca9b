#include "StdAvatars.h"

TDefaultImageList LoadStdAvatars()
{
    auto list = std::make_shared<QList<QImage>>();
    for (const char* name : {"camera", "dog_sunglasses", "dog_crossed", "jester"})
        list->append(QImage(QStringLiteral(":/avatars/%1.png").arg(QLatin1String(name))));
    return list;
}
