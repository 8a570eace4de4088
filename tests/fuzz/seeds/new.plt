map.jpg
BasicSet
[Notes]
[End]
